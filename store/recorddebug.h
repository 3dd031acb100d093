#pragma once

#include <QDebug>

#include <optional>

// Writes a record as "Type(name: value, …)", an unset optional as "none".
class RecordDebug
{
public:
    RecordDebug(QDebug &debug, const char *type)
        : m_debug(debug)
    {
        m_debug.nospace() << type << '(';
    }
    ~RecordDebug() { m_debug << ')'; }

    template<typename T>
    RecordDebug &field(const char *name, const T &value)
    {
        label(name);
        m_debug << value;
        return *this;
    }

    template<typename T>
    RecordDebug &field(const char *name, const std::optional<T> &value)
    {
        label(name);
        if (value)
            m_debug << *value;
        else
            m_debug << "none";
        return *this;
    }

private:
    void label(const char *name)
    {
        if (!m_first)
            m_debug << ", ";
        m_first = false;
        m_debug << name << ": ";
    }

    QDebug &m_debug;
    bool m_first = true;
};
