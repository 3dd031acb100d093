#pragma once

#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"

#include <QObject>
#include <QVariant>

#include <functional>

class AppState;
class QTimer;
class QWidget;

// Reads what a pane lists off the GUI thread. The first read waits for the
// pane's first show, so the window paints before it; a change of the store
// is read after a short pause, or when the pane is next shown if it is
// hidden; a read that a newer one has overtaken is dropped, and destroying
// the pane delivers nothing more.
class PaneReader : public QObject
{
    Q_OBJECT
public:
    // Runs on the loading thread; puts what it read into the data's digest.
    using Read = std::function<void(const ViewRangeSources &, ViewRangeData &)>;

    // `watched` are the parts of the store the pane lists: a change of one
    // of them asks for a read soon (noteChange).
    PaneReader(AppState *state, QWidget *pane, ViewRangeLoader::Sources watched);

    // Reads anew now; supersedes every earlier read.
    void read(const Read &read);
    // Reads a listing (a type with Settings and a static read) with the
    // pane's current settings; the digest holds the Listing.
    template<typename Listing>
    void readListing(const typename Listing::Settings &settings)
    {
        read([settings](const ViewRangeSources &sources, ViewRangeData &data) {
            data.digest = QVariant::fromValue(Listing::read(sources, settings));
        });
    }
    // What the pane lists changed: asks for a read soon.
    void noteChange();
    // A read is on its way, or none has arrived yet.
    bool isReading() const;

Q_SIGNALS:
    // Time to read: the pane calls read() with its current settings.
    void readWanted();
    void arrived(const QVariant &digest);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readWhenShown();

    QWidget *m_pane;
    QTimer *m_changeTimer = nullptr;
    ViewRangeLoader *m_loader = nullptr;
    bool m_arrived = false;
    // A change arrived while hidden (or nothing was read yet): read when shown.
    bool m_stale = true;
};
