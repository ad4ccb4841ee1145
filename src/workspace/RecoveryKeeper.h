#pragma once

#include "ListKinds.h"

#include "files/RecoveryFile.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <optional>

namespace lgbatch {

// Keeps a recovery copy of every list that holds changes not yet saved, in the program
// directory's `recovery` folder, so that typed work survives a crash, a killed process or a
// power cut. The user-interface thread only takes a shared copy of the rows; a worker thread
// of its own encodes and writes it, one file operation after the other, so that a later
// removal never overtakes an earlier write.
class RecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    // A change is written at most this long after it was made.
    static constexpr int WriteDelayMs = 300;
    // Copies the user answered 否 to are set aside, the newest few of each list kept.
    static constexpr int DiscardedKept = 5;

    explicit RecoveryKeeper(Workspace &workspace, QObject *parent = nullptr);
    ~RecoveryKeeper() override;

    // A copy left by a run that did not end normally, for a list this edition works with.
    struct Found
    {
        Workspace::List list;
        QString path;
        std::optional<RecoverySnapshot> snapshot; // nothing: the copy cannot be read
    };
    // The copies there are, in the order of the tabs.
    QList<Found> found() const;
    // 是: the rows are back, the list marked changed (the exit asks to save it), with its
    // remembered file and the payroll's transfer date.
    void restore(const Found &found);
    // 否, or a copy that cannot be read: it moves to `recovery/discarded/`, its time in its name.
    // Answers where it went (empty when it could not be moved; it is then removed).
    QString setAside(const Found &found);

    // From now on every change of a list is kept.
    void start();
    // Brings every copy up to date at once and waits until it is on disk: the session ends.
    void flush();
    // The program ends normally: whatever the answers to the exit questions, nothing of this
    // edition's lists is left to recover.
    void finish();

    QString directory() const;
    QString copyPath(Workspace::List list) const;

private:
    void schedule(Workspace::List list);
    void keep(Workspace::List list);
    QTimer &timerOf(Workspace::List list) { return *m_timers[std::size_t(list)]; }

    Workspace &m_workspace;
    QList<Workspace::List> m_lists;
    std::array<QTimer *, Workspace::AllLists.size()> m_timers{};
    QList<QMetaObject::Connection> m_watching;
    QThreadPool m_worker;
};

} // namespace lgbatch
