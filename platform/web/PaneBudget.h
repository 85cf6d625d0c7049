// SPDX-License-Identifier: GPL-3.0-or-later
// What a pane's page may cost: its renderer's memory and CPU time, and what it makes our own
// process hold for it. Watched through /proc: memory every tenth of a second, CPU time every half
// second; the owner is told once when the page goes over, and stops it.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

namespace Platform::Web {

class PaneBudget final : public QObject {
    Q_OBJECT
public:
    struct Limits {
        qint64 rendererBytes = qint64(1) << 30; // resident memory of the page's renderer
        double cpuShare = 0.5;                  // of one core, over any window below
        int windowMs = 10000;
        qint64 hostGrowthBytes = qint64(120) << 20; // growth of our own process while pages run
        int periodMs = 500;
    };

    explicit PaneBudget(QObject* parent = nullptr);
    PaneBudget(const Limits& limits, QObject* parent);
    ~PaneBudget() override;

    // Watches the renderer with this process id from now on; 0 (no renderer) stops watching.
    void watch(qint64 pid);
    // Watches whichever renderer this names at each sample (a page changes renderers as it goes
    // from site to site, and Qt WebEngine 6.4 does not signal the change).
    void follow(std::function<qint64()> pidOf);
    qint64 pid() const { return pid_; }
    // The watched renderer has ended: if it was on its way over its memory budget when it did
    // (the kernel's limit ends a renderer that grows faster than the samples), that is reported.
    void ended();

    // Forgets what our own process held before: called when something of ours that is not a pane
    // (the movie player) starts to grow it. The next few samples set a new starting point.
    static void rebaseHost();

    // One look at a process: resident bytes and the CPU seconds it used or waited for (user and
    // system time, and its threads' time in the run queue); false once it is gone.
    static bool Sample(qint64 pid, qint64* residentBytes, double* cpuSeconds);
    static bool Resident(qint64 pid, qint64* residentBytes);

signals:
    // The page went over (or, at the next half second, would go over) its budget. Sent once per
    // renderer; the text says which limit, for the log.
    void exceeded(const QString& why);

private:
    void tick();
    void sample(bool withCpu);
    void checkHost();
    void trip(const QString& why);
    bool hostOver(QString* why);

    Limits limits_;
    std::function<qint64()> pidOf_;
    qint64 pid_ = 0;
    bool tripped_ = false;
    int ticks_ = 0;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastResident_ = 0;
    qint64 lastGrowth_ = 0;
    double lastIntervalCpu_ = 0;
    struct Point {
        qint64 ms;
        double cpu;
    };
    std::deque<Point> cpu_; // samples of the last window
};

} // namespace Platform::Web
