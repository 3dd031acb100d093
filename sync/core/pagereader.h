#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <utility>

// Reads the pages of a provider's listings on a pool thread: parsing a page
// of thousands of events and mapping them to records would otherwise hold
// the window. The pages handed to one reader are read one after another and
// answered in the order they were handed in, on the reader's own thread. A
// reader destroyed meanwhile answers nothing more; the page being read then
// finishes on its own and is dropped. `parse` must touch nothing but its
// argument.
class PageReader : public QObject
{
    Q_OBJECT
public:
    explicit PageReader(QObject *parent = nullptr);
    ~PageReader() override;

    template <typename Page>
    void read(QByteArray body, std::function<Page(const QByteArray &body)> parse, std::function<void(Page page)> done)
    {
        auto page = std::make_shared<Page>();
        enqueue([body = std::move(body), parse = std::move(parse), page] { *page = parse(body); },
                [page, done = std::move(done)] { done(std::move(*page)); });
    }

    // Pages handed in and not answered yet.
    int pending() const { return int(m_waiting.size()) + (m_busy ? 1 : 0); }

private:
    struct Job
    {
        std::function<void()> work;
        std::function<void()> done;
    };

    void enqueue(std::function<void()> work, std::function<void()> done);
    void startNext();

    QList<Job> m_waiting;
    bool m_busy = false;
};
