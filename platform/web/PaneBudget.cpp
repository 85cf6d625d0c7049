// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaneBudget.h"
#include "Logging.h"

#include <QDir>
#include <QFile>
#include <QList>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

namespace Platform::Web {

namespace {

// Every budget now watching a renderer: the host's growth is blamed on one of them.
QList<PaneBudget*>& live() {
    static QList<PaneBudget*> budgets;
    return budgets;
}

// Our own process's resident memory when pane pages started, and when it was last looked at.
struct Host {
    qint64 baseline = -1;
    qint64 last = 0;
    qint64 checkedMs = -1;
    qint64 settleUntilMs = 0; // no new baseline is taken before
    QElapsedTimer clock;
} host;

QByteArray readProc(qint64 pid, const char* name) {
    QFile file(pid ? QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name))
                   : QStringLiteral("/proc/self/%1").arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 hostResident() {
    const QList<QByteArray> statm = readProc(0, "statm").split(' ');
    return statm.size() > 1 ? statm[1].toLongLong() * ::sysconf(_SC_PAGESIZE) : 0;
}

QString mib(qint64 bytes) {
    return QStringLiteral("%1 MiB").arg(bytes >> 20);
}

} // namespace

PaneBudget::PaneBudget(QObject* parent) : PaneBudget(Limits{}, parent) {}

PaneBudget::PaneBudget(const Limits& limits, QObject* parent) : QObject(parent), limits_(limits) {
    timer_.setInterval(limits_.periodMs / 5);
    connect(&timer_, &QTimer::timeout, this, &PaneBudget::tick);
}

PaneBudget::~PaneBudget() {
    live().removeAll(this);
}

bool PaneBudget::Resident(qint64 pid, qint64* residentBytes) {
    const QList<QByteArray> statm = readProc(pid, "statm").split(' ');
    if (statm.size() < 2)
        return false;
    *residentBytes = statm[1].toLongLong() * ::sysconf(_SC_PAGESIZE);
    return true;
}

bool PaneBudget::Sample(qint64 pid, qint64* residentBytes, double* cpuSeconds) {
    const QByteArray stat = readProc(pid, "stat");
    const QList<QByteArray> statm = readProc(pid, "statm").split(' ');
    // The command name in stat may hold blanks: the fields are counted after its closing ')'.
    const qsizetype end = stat.lastIndexOf(')');
    const QList<QByteArray> fields = end < 0 ? QList<QByteArray>() : stat.mid(end + 2).split(' ');
    if (fields.size() < 13 || statm.size() < 2 || fields[0] == "Z")
        return false;
    *residentBytes = statm[1].toLongLong() * ::sysconf(_SC_PAGESIZE);
    *cpuSeconds = double(fields[11].toLongLong() + fields[12].toLongLong()) / double(::sysconf(_SC_CLK_TCK));
    // What the threads waited for a core counts too: on a busy machine a page in a loop gets
    // less than it asks for, and is no better for it.
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid ? pid : ::getpid());
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks + u'/' + task + QLatin1String("/schedstat"));
        if (schedstat.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> times = schedstat.readAll().split(' ');
            if (times.size() > 1)
                *cpuSeconds += double(times[1].toLongLong()) / 1e9;
        }
    }
    return true;
}

void PaneBudget::rebaseHost() {
    if (!host.clock.isValid())
        host.clock.start();
    host.baseline = -1;
    host.settleUntilMs = host.clock.elapsed() + 5000;
}

void PaneBudget::watch(qint64 pid) {
    if (pid == pid_)
        return;
    if (pid <= 0 && pid_ > 0 && !tripped_ && lastResident_ + lastGrowth_ > limits_.rendererBytes / 2)
        trip(QStringLiteral("its renderer ended near its memory limit (%1 at the last sample)")
                 .arg(mib(lastResident_)));
    pid_ = pid;
    tripped_ = false;
    cpu_.clear();
    lastResident_ = 0;
    lastGrowth_ = 0;
    ticks_ = 0;
    lastIntervalCpu_ = 0;
    live().removeAll(this);
    if (pid <= 0) {
        if (!pidOf_)
            timer_.stop();
        return;
    }
    // The kernel's own backstop against a burst between two samples: the renderer cannot map
    // much more private writable memory than its budget. A renderer that tries dies, and its page is
    // given up like one stopped here. Another user's process (never ours) would refuse; the
    // samples then do the work alone.
    const rlim_t hard = rlim_t(limits_.rendererBytes + (limits_.rendererBytes >> 2));
    const rlimit data{hard, hard};
    ::prlimit(pid_t(pid), RLIMIT_DATA, &data, nullptr);
    live().append(this);
    if (!host.clock.isValid())
        host.clock.start();
    clock_.start();
    timer_.start();
    sample(true);
}

void PaneBudget::follow(std::function<qint64()> pidOf) {
    pidOf_ = std::move(pidOf);
    timer_.start();
}

void PaneBudget::tick() {
    if (pidOf_) {
        const qint64 pid = pidOf_();
        if (pid != pid_) {
            watch(pid);
            return;
        }
    }
    if (pid_ <= 0 || tripped_)
        return;
    sample(++ticks_ % 5 == 0);
}

void PaneBudget::checkHost() {
    QString why;
    if (!hostOver(&why))
        return;
    PaneBudget* busiest = this;
    for (PaneBudget* other : live())
        if (other->lastIntervalCpu_ > busiest->lastIntervalCpu_)
            busiest = other;
    busiest->trip(why);
}

void PaneBudget::ended() {
    watch(0);
}

void PaneBudget::trip(const QString& why) {
    qCDebug(lcWeb, "a pane page's budget trips: %s", qPrintable(why));
    if (tripped_)
        return;
    tripped_ = true;
    if (!pidOf_)
        timer_.stop();
    live().removeAll(this);
    emit exceeded(why);
}

// Memory our process holds for the pages (blobs live in the browser, not in the renderer). We
// cannot tell which page asked for it: the one whose renderer worked hardest in the last half
// second made it. The stopped page's memory comes back as its renderer ends; the C heap is asked
// to give it back, and a new starting point is taken once it has.
bool PaneBudget::hostOver(QString* why) {
    const qint64 now = host.clock.elapsed();
    if (host.checkedMs >= 0 && now - host.checkedMs < limits_.periodMs / 10)
        return false;
    host.checkedMs = now;
    const qint64 resident = hostResident();
    const qint64 growth = host.last ? std::max<qint64>(0, resident - host.last) : 0;
    host.last = resident;
    if (now < host.settleUntilMs)
        return false;
    if (host.baseline < 0 || resident < host.baseline) {
        host.baseline = resident;
        return false;
    }
    if (resident - host.baseline + growth <= limits_.hostGrowthBytes)
        return false;
    *why = QStringLiteral("its pages made this process grow by %1").arg(mib(resident - host.baseline));
    host.settleUntilMs = now + 2000;
    host.baseline = -1;
    QTimer::singleShot(1000, [] { ::malloc_trim(0); });
    return true;
}

// Memory, ours and the renderer's, is looked at every tick: a page can make either grow by
// hundreds of MiB a second. The CPU time, which takes a file per thread, every half second.
void PaneBudget::sample(bool withCpu) {
    qint64 resident = 0;
    double cpu = 0;
    if (!(withCpu ? Sample(pid_, &resident, &cpu) : Resident(pid_, &resident))) {
        ended();
        return;
    }
    const qint64 ms = clock_.elapsed();
    // Memory: over now, or at this rate by the next sample (twice the last growth: the renderer
    // goes on while it is being ended).
    const qint64 growth = lastResident_ ? std::max<qint64>(0, resident - lastResident_) : 0;
    lastResident_ = resident;
    lastGrowth_ = growth;
    if (resident + 2 * growth > limits_.rendererBytes) {
        trip(QStringLiteral("its renderer holds %1 of memory").arg(mib(resident)));
        return;
    }
    if (!withCpu) {
        checkHost();
        return;
    }
    // CPU: the time used (or waited for) over the last window, plus what the next half second would add at
    // the last half second's pace, stays within the share. A page's first seconds count in full.
    if (!cpu_.empty())
        lastIntervalCpu_ = std::max(0.0, cpu - cpu_.back().cpu);
    cpu_.push_back({ms, cpu});
    while (cpu_.size() > 1 && ms - cpu_.front().ms > limits_.windowMs)
        cpu_.pop_front();
    const double used = std::max(0.0, cpu - cpu_.front().cpu);
    if (used + lastIntervalCpu_ > limits_.cpuShare * limits_.windowMs / 1000.0) {
        trip(QStringLiteral("its renderer wanted %1 s of CPU in %2 s")
                 .arg(used, 0, 'f', 1)
                 .arg(limits_.windowMs / 1000));
        return;
    }
    checkHost();
}

} // namespace Platform::Web
