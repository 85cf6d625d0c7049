// SPDX-License-Identifier: GPL-3.0-or-later
// Times a press of the palm-reading button: from the ShowDivinationMovie call to the movie's first
// frame on screen, then measures the memory of the program and its web engine helpers with one
// movie window playing. Run it under a display (xvfb-run); run-bench.sh repeats it and takes medians.
//
// Usage: velmora_movie_bench [kind=1] [first-frame.png] [seconds to hold the first window open]
//        velmora_movie_bench kind "" 0 presses
// Output, one "key value" per line: cold_loaded_ms, cold_first_frame_ms (first frame seen in the
// window's pixels), cold_page_frame_ms (first frame as the player page reports it), pss_mib, and
// the same three timings for a second press in the same process (warm_*); then the memory with no,
// one and three movie windows and after closing the three (movies_*_mib), the last also by
// process kind (movies_closed_<kind>_mib). With a count of presses it only presses the button that
// often, closing each window again, and prints the program's own memory after the first press and
// after the last (presses_first, presses_last), waiting 2 s after each of those lines.
#include "Flash.h"

#include "Application.h"
#include "LinuxFacilities.h"
#include "MovieControl.h"
#include "WebEngineEnv.h"
#include "WindowOwner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QTimer>

#include <cstdio>
#include <map>
#include <utility>

namespace {

struct Press {
    double loadedMs = -1, pixelsMs = -1, pageMs = -1;
};

// Notes the player's signals.
class Probe : public QObject {
    Q_OBJECT
public:
    Probe(const QElapsedTimer& clock, Press& press) : clock_(clock), press_(press) {}
public slots:
    void loaded() { press_.loadedMs = clock_.nsecsElapsed() / 1e6; }
    void firstFrame() { press_.pageMs = clock_.nsecsElapsed() / 1e6; }

private:
    const QElapsedTimer& clock_;
    Press& press_;
};

QString shotFile; // where to keep the first frame seen, when asked (second argument)

// True once the control shows a picture of more than one colour: the movie's first frame (the
// browser view paints one plain colour until the player draws).
bool showsMovie(QWidget* control) {
    const QImage image = control->grab().toImage();
    if (image.isNull())
        return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x) {
            if (image.pixel(image.width() * x / 32, image.height() * y / 24) != first) {
                if (!shotFile.isEmpty())
                    image.save(std::exchange(shotFile, QString()));
                return true;
            }
        }
    return false;
}

Press press(int kind, int timeoutMs) {
    Press p;
    QElapsedTimer clock;
    QEventLoop loop;
    clock.start();
    Flash::ShowDivinationMovie(kind);
    QWidget* control = FrmFlash ? FrmFlash->ShockwaveFlash1 : nullptr;
    if (!control)
        return p;
    // The player comes from the web engine module, as in the program, so its signals are known here
    // by name only. The probe lives in the loop's frame: nothing reaches it after the loop returns.
    Probe probe(clock, p);
    QObject::connect(control, SIGNAL(loaded(double, int, int)), &probe, SLOT(loaded()));
    QObject::connect(control, SIGNAL(firstFrameDrawn()), &probe, SLOT(firstFrame()));
    QObject::connect(control, SIGNAL(failed(QString)), &loop, SLOT(quit()));
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // Grabbing the view costs CPU the player needs: look seldom until the header is in.
        poll.setInterval(p.loadedMs < 0 ? 50 : 5);
        if (p.pixelsMs < 0 && showsMovie(control))
            p.pixelsMs = clock.nsecsElapsed() / 1e6;
        if ((p.pixelsMs >= 0 && p.pageMs >= 0) || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start(50);
    loop.exec();
    return p;
}

// Proportional set size of this process and all its descendants, in MiB.
// PSS in MiB of this process and its children, by kind: "program" for this process, else the
// child's --type (renderer, zygote, utility, gpu-process).
std::map<QString, double> treePssByKind() {
    std::map<int, int> parent;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = name.toInt(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = stat.readAll();
        // "pid (comm) state ppid ...": comm may hold spaces, so read after the last ')'.
        const QList<QByteArray> rest = s.mid(s.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1)
            parent[pid] = rest[1].toInt();
    }
    std::map<QString, double> mib;
    const int self = static_cast<int>(QCoreApplication::applicationPid());
    for (const auto& [pid, ppid] : parent) {
        int p = pid;
        while (p > 1 && p != self)
            p = parent.count(p) ? parent[p] : 0;
        if (p != self)
            continue;
        QString kind = QStringLiteral("program");
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (pid != self && cmdline.open(QIODevice::ReadOnly))
            for (const QByteArray& arg : cmdline.readAll().split('\0'))
                if (arg.startsWith("--type="))
                    kind = QString::fromLatin1(arg.mid(7));
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!rollup.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : rollup.readAll().split('\n'))
            if (line.startsWith("Pss:"))
                mib[kind] += line.mid(4).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return mib;
}

double treePssMiB() {
    double total = 0;
    for (const auto& [kind, mib] : treePssByKind())
        total += mib;
    return total;
}

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// "pss_mib X private_mib Y" of this process alone.
QByteArray selfMemory() {
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    double pss = 0, priv = 0;
    if (rollup.open(QIODevice::ReadOnly))
        for (const QByteArray& line : rollup.readAll().split('\n')) {
            const double kib = line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toDouble();
            if (line.startsWith("Pss:"))
                pss = kib / 1024;
            else if (line.startsWith("Private_Clean:") || line.startsWith("Private_Dirty:"))
                priv += kib / 1024;
        }
    return QByteArray::number(pss, 'f', 1) + " private_mib " + QByteArray::number(priv, 'f', 1);
}

void pressAndClose(int kind) {
    press(kind, 10000);
    if (FrmFlash)
        FrmFlash->close();
    settle(200);
}

void presses(int kind, int count) {
    settle(1000);
    pressAndClose(kind);
    settle(3000);
    std::printf("presses_first pss_mib %s\n", selfMemory().constData());
    std::fflush(stdout);
    settle(2000);
    for (int i = 1; i < count; ++i)
        pressAndClose(kind);
    settle(3000);
    std::printf("presses_last pss_mib %s windows %d\n", selfMemory().constData(), count);
    std::fflush(stdout);
    settle(2000);
}

} // namespace

int main(int argc, char** argv) {
    Platform::UseLinuxFacilities();
    Platform::PrepareWebEngine();
    Platform::Application app(argc, argv);
    const int kind = argc > 1 ? QByteArray(argv[1]).toInt() : 1;
    if (argc > 2)
        shotFile = QString::fromLocal8Bit(argv[2]);
    const int holdMs = argc > 3 ? QByteArray(argv[3]).toInt() * 1000 : 0;
    int status = 0;
    if (const int count = argc > 4 ? QByteArray(argv[4]).toInt() : 0; count > 0) {
        QTimer::singleShot(0, [&] {
            presses(kind, count);
            Platform::DestroyOwnedWindows();
            app.quit();
        });
        return app.exec();
    }
    QTimer::singleShot(0, [&] {
        settle(1000);
        const double before = treePssMiB();
        QList<QWidget*> windows;
        const Press cold = press(kind, 30000);
        windows << FrmFlash;
        settle(3000); // let the movie play a while before measuring memory
        const double pss = treePssMiB();
        std::printf("pss_mib %.1f\n", pss);
        std::fflush(stdout);
        if (holdMs > 0)
            settle(holdMs); // for screenshots: one movie window playing
        const Press warm = press(kind, 30000);
        windows << FrmFlash;
        press(kind, 30000);
        windows << FrmFlash;
        settle(3000);
        const double three = treePssMiB();
        for (QWidget* window : windows)
            window->close();
        settle(3000); // the closed windows' players wind down
        std::printf("movies_0_mib %.1f\nmovies_1_mib %.1f\nmovies_3_mib %.1f\nmovies_closed_mib %.1f\n",
                    before, pss, three, treePssMiB());
        // What stays once every window is closed: the web engine's own processes and libraries.
        for (const auto& [kind, mib] : treePssByKind())
            std::printf("movies_closed_%s_mib %.1f\n", qPrintable(kind), mib);
        std::printf("cold_loaded_ms %.1f\ncold_first_frame_ms %.1f\ncold_page_frame_ms %.1f\n"
                    "warm_loaded_ms %.1f\nwarm_first_frame_ms %.1f\nwarm_page_frame_ms %.1f\n",
                    cold.loadedMs, cold.pixelsMs, cold.pageMs, warm.loadedMs, warm.pixelsMs, warm.pageMs);
        status = cold.pixelsMs < 0 ? 1 : 0;
        Platform::DestroyOwnedWindows();
        app.quit();
    });
    app.exec();
    return status;
}

#include "MovieOpenBench.moc"
