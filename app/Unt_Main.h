// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: banner, button row, link column, main panel and status line. Its buttons and
// links reach every feature; closing it runs the exit flow. The promotion panes' members (FormCreate,
// the two rotation ticks and ScheduleField) are in Unt_MainPromo.cpp, over the logic in promo/.
#pragma once

#include "Promotion.h"
#include "WebPane.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>

class QSessionManager;

QT_BEGIN_NAMESPACE
namespace Ui {
class TFrmmain;
}
QT_END_NAMESPACE

class TFrmmain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmmain(QWidget* parent = nullptr);
    ~TFrmmain() override;

    // ---- Button row and links (app/Unt_Main.cpp) ----
    void RzButton1Click(); // fingerprint window
    void RzButton2Click(); // customer service
    void RzButton3Click(); // About
    void RzButton4Click(); // palm-reading movie
    void RzButton5Click(); // calendar
    void RzButton6Click(); // site root
    void RzButton7Click(); // exit flow
    void RzButton8Click(); // home page
    void Label1Click();
    void Label2Click();
    void Label3Click();
    void Label4Click();
    void Label11Click();
    void Label15Click();
    void Label16Click();
    void Label17Click();
    void FormCloseQuery(bool& CanClose);

    // How the exit flow asks the application to end; the program's loop ends at its next turn.
    // Tests replace it to see the request without ending their own loops.
    std::function<void()> RequestQuit;

    // ---- Promotion panes (Unt_MainPromo.cpp) ----
    // Members, helpers and any pane/timer objects the promotion code needs are declared in this block.
    void FormCreate(); // starts the timers, downloads the schedule and switches, hides idle panes
    void Timer1Timer();
    void Timer2Timer();
    QByteArray ScheduleField(std::int32_t field, std::int32_t line) const;
    // The promotion state (schedule, cursors, switches, panes, timers), read by tests.
    const Promo::State& promotion() const { return promo_; }
    // ---- end of promotion panes ----

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ExitFlow();
    void SessionQuery(QSessionManager& manager);

    const std::unique_ptr<Ui::TFrmmain> ui_;
    Promo::State promo_;
    bool exitConfirmed_ = false; // once the user said yes, later close requests pass unasked
};

extern QPointer<TFrmmain> Frmmain;
