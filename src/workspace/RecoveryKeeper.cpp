#include "RecoveryKeeper.h"

#include "files/DataFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace lgbatch {

namespace {

QString editionKey(Edition edition)
{
    return edition == Edition::Corporate ? QStringLiteral("corporate") : QStringLiteral("personal");
}

QString &rememberedFileOf(Workspace &workspace, Workspace::List list)
{
    return list == Workspace::List::Batch ? workspace.CurrentBatchFileName : workspace.CurrentPayrollFileName;
}

bool hasRememberedFile(Workspace::List list)
{
    return list == Workspace::List::Batch || list == Workspace::List::Payroll;
}

} // namespace

RecoveryKeeper::RecoveryKeeper(Workspace &workspace, QObject *parent)
    : QObject(parent), m_workspace(workspace), m_lists(listsOf(workspace.edition()))
{
    // One worker, so that the copies' file operations happen in the order they were asked for.
    m_worker.setMaxThreadCount(1);
    for (const Workspace::List list : Workspace::AllLists) {
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        timer->setInterval(WriteDelayMs);
        connect(timer, &QTimer::timeout, this, [this, list] { keep(list); });
        m_timers[std::size_t(list)] = timer;
    }
}

RecoveryKeeper::~RecoveryKeeper()
{
    m_worker.waitForDone();
}

QString RecoveryKeeper::directory() const
{
    return m_workspace.programFile(QStringLiteral("recovery"));
}

QString RecoveryKeeper::copyPath(Workspace::List list) const
{
    // A batch's columns depend on the edition: each edition keeps its own, and a copy of the
    // other edition's waits for a start in that edition.
    QString name = listKind(list).settingsKey;
    if (list == Workspace::List::Batch)
        name += QLatin1Char('-') + editionKey(m_workspace.edition());
    return directory() + QLatin1Char('/') + name + QStringLiteral(".json");
}

QList<RecoveryKeeper::Found> RecoveryKeeper::found() const
{
    QList<Found> copies;
    for (const Workspace::List list : m_lists) {
        const QString path = copyPath(list);
        const Result<std::optional<QByteArray>> bytes = DataFile::readIfPresent(path);
        if (bytes && !bytes.value())
            continue;
        Found copy{list, path, std::nullopt};
        if (bytes) {
            Result<RecoverySnapshot> read = RecoveryFile::read(*bytes.value());
            // A copy of another list, or of another column layout, is not this list's.
            if (read && read->list == listKind(list).settingsKey &&
                read->columns == m_workspace.list(list).columnCount() &&
                (list != Workspace::List::Batch || read->edition == m_workspace.edition()))
                copy.snapshot = std::move(read).value();
        }
        copies.append(std::move(copy));
    }
    return copies;
}

void RecoveryKeeper::restore(const Found &found)
{
    if (!found.snapshot)
        return;
    const RecoverySnapshot &snapshot = *found.snapshot;
    if (hasRememberedFile(found.list)) {
        rememberedFileOf(m_workspace, found.list) = snapshot.rememberedFile;
        m_workspace.setFileOfList(found.list, snapshot.fileOfList);
    }
    if (found.list == Workspace::List::Payroll && snapshot.transferDate.isValid())
        m_workspace.setTransferDate(snapshot.transferDate);
    m_workspace.loadRows(found.list, snapshot.rows, true, true);
}

QString RecoveryKeeper::setAside(const Found &found)
{
    const QString discarded = directory() + QStringLiteral("/discarded");
    const QString base = QFileInfo(found.path).completeBaseName();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString target = discarded + QLatin1Char('/') + base + QLatin1Char('-') + stamp + QStringLiteral(".json");
    for (int n = 2; QFile::exists(target); ++n)
        target = discarded + QLatin1Char('/') + base + QLatin1Char('-') + stamp + QLatin1Char('-') +
                 QString::number(n) + QStringLiteral(".json");
    if (!QDir().mkpath(discarded) || !QFile::rename(found.path, target)) {
        // Left where it is, the copy would be offered again at every start.
        QFile::remove(found.path);
        return {};
    }
    // The newest few are enough to go back to; the stamps sort by time.
    QDir folder(discarded);
    const QStringList kept = folder.entryList({base + QStringLiteral("-*.json")}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i + DiscardedKept < kept.size(); ++i)
        folder.remove(kept[i]);
    return target;
}

void RecoveryKeeper::start()
{
    for (const Workspace::List list : m_lists) {
        RecordListModel *model = &m_workspace.list(list);
        const auto changed = [this, list] { schedule(list); };
        m_watching << connect(model, &QAbstractItemModel::rowsInserted, this, changed)
                   << connect(model, &QAbstractItemModel::rowsRemoved, this, changed)
                   << connect(model, &QAbstractItemModel::dataChanged, this, changed)
                   << connect(model, &QAbstractItemModel::modelReset, this, changed)
                   << connect(model, &QAbstractItemModel::layoutChanged, this, changed)
                   << connect(model, &RecordListModel::changedFlagChanged, this, changed);
        schedule(list);
    }
    if (m_lists.contains(Workspace::List::Payroll))
        m_watching << connect(&m_workspace, &Workspace::transferDateChanged, this,
                              [this] { schedule(Workspace::List::Payroll); });
}

void RecoveryKeeper::schedule(Workspace::List list)
{
    // Once saved or renewed, a list has nothing to recover: the copy goes at once, not after
    // the delay, so that a crash right after a save offers nothing already saved.
    if (!m_workspace.list(list).isChanged()) {
        timerOf(list).stop();
        keep(list);
    } else if (!timerOf(list).isActive()) {
        timerOf(list).start();
    }
}

void RecoveryKeeper::keep(Workspace::List list)
{
    const QString path = copyPath(list);
    const RecordListModel &model = m_workspace.list(list);
    if (!model.isChanged()) {
        m_worker.start([path] { QFile::remove(path); });
        return;
    }
    RecoverySnapshot snapshot;
    snapshot.list = listKind(list).settingsKey;
    snapshot.edition = m_workspace.edition();
    snapshot.columns = model.columnCount();
    if (hasRememberedFile(list)) {
        snapshot.rememberedFile = rememberedFileOf(m_workspace, list);
        snapshot.fileOfList = m_workspace.fileOfList(list);
    }
    if (list == Workspace::List::Payroll)
        snapshot.transferDate = m_workspace.transferDate();
    snapshot.rows = model.rows();
    m_worker.start([path, folder = directory(), snapshot = std::move(snapshot)] {
        // A copy that cannot be written (a full disk) leaves the previous one; the next change
        // tries again.
        if (QDir().mkpath(folder))
            (void)DataFile::save(path, RecoveryFile::write(snapshot));
    });
}

void RecoveryKeeper::flush()
{
    for (const Workspace::List list : m_lists) {
        timerOf(list).stop();
        keep(list);
    }
    m_worker.waitForDone();
}

void RecoveryKeeper::finish()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_watching))
        disconnect(connection);
    m_watching.clear();
    for (const Workspace::List list : m_lists)
        timerOf(list).stop();
    m_worker.waitForDone();
    for (const Workspace::List list : m_lists)
        QFile::remove(copyPath(list));
    // Only an empty folder goes: set-aside copies and the other edition's stay.
    QDir().rmdir(directory());
}

} // namespace lgbatch
