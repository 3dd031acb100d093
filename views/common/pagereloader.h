#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs a page's reload when the data under it changed. A page of the view
// area that is not on show only notes the change and reloads when it is
// shown next, so one store change costs the reads of the page in sight and
// not those of all six.
class PageReloader : public QObject
{
    Q_OBJECT
public:
    PageReloader(QWidget *page, std::function<void()> reload);

    // While one lives, reloaders made on this thread start deferring: the
    // view area builds its pages under one, so a page's first load (asked
    // for in its constructor) waits until the page is first shown.
    class DeferNewPages
    {
    public:
        DeferNewPages();
        ~DeferNewPages();
        DeferNewPages(const DeferNewPages &) = delete;
        DeferNewPages &operator=(const DeferNewPages &) = delete;

    private:
        bool m_previous;
    };

    // Off by default: a view on its own reloads at once. The view area turns
    // it on for its pages.
    void setDeferWhileHidden(bool defer);
    bool defersWhileHidden() const { return m_deferWhileHidden; }
    bool isPending() const { return m_pending; }

public Q_SLOTS:
    // Reloads now, or on the next show of a hidden page.
    void request();

Q_SIGNALS:
    // After every reload run, for the counts of the benchmarks.
    void reloaded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_page;
    std::function<void()> m_reload;
    bool m_deferWhileHidden = false;
    bool m_pending = false;
};
