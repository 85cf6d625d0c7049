// The main window: banner, button row, link column, main panel and status line. Its buttons and
// links reach every feature; closing it runs the exit flow. The promotion panes' code (FormCreate,
// the two rotation ticks and ScheduleField) lives in promo/.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <cstdint>

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

    Ui::TFrmmain* ui() const { return ui_; }

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

    // ---- Promotion panes (promo/) ----
    // Members, helpers and any pane/timer objects the promotion code needs are declared in this block.
    void FormCreate();
    void Timer1Timer();
    void Timer2Timer();
    QByteArray ScheduleField(std::int32_t field, std::int32_t line) const;
    std::int32_t TopCursor = 0;
    std::int32_t MainCursor = 0;
    std::int32_t LastLine = 0;
    std::int32_t MainPaneOn = 0;
    std::int32_t TopPaneOn = 0;
    // ---- end of promotion panes ----

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Ui::TFrmmain* ui_;
};

extern QPointer<TFrmmain> Frmmain;
