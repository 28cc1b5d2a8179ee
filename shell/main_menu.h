// The main menu form1 and the heart of the shell.
//
// shell/ starts the program (startup.h: slogans, the single-instance rule,
// the home page, title, button colours, show), keeps a second copy from
// running (single_instance.h), opens the help pages that ship in the
// resources in the desktop's browser (help_pages.h, browser.h) and opens the
// ten drill windows of normal_drill/ and listening_drill/ through an injected
// factory (drill_launcher.h), each one modally over the menu. "学习记录" opens
// the records window through another injected factory, and the menu shows
// whose record the drills are kept in.
#pragma once

#include "normal_drill/twips_layout.h"
#include "shell/help_pages.h"
#include "shell/menu_table.h"

#include <QDialog>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace zorvel {

// Makes the drill window of a form name ("Form81" .. "Form95"); nullptr when
// that window does not exist yet.
using DrillWindowFactory = std::function<std::unique_ptr<QDialog>(const QString& formName)>;
// Makes the records window; nullptr when there is none.
using RecordsWindowFactory = std::function<std::unique_ptr<QDialog>()>;

// Runs window modally. It lives with its caller (exec() does not delete it);
// the window manager is told that below, when there is one, lies underneath,
// so that a click on the inert window below cannot raise it over window.
void execModallyAbove(QDialog& window, QWidget* below);

class MainMenu : public QWidget {
    Q_OBJECT
public:
    MainMenu(DrillWindowFactory createDrillWindow, HelpPages helpPages, QWidget* parent = nullptr);

    void setSlogans();
    void setButtonColours();
    void openHomePage();
    void openProductPage();
    // "学习记录" opens what createRecordsWindow makes; the pupil label shows
    // currentPupilName() now and whenever the records window or the pupil
    // chooser closes; a click on it (or Enter) runs choosePupil.
    // "班级汇总" opens what createClassWindow makes.
    void setClassWindow(RecordsWindowFactory createClassWindow);
    void setRecords(RecordsWindowFactory createRecordsWindow, std::function<QString()> currentPupilName,
                    std::function<void()> choosePupil = {});
    // Shows the current pupil's name again.
    void showPupilName();

    // A control of the menu's kind placed in twips, scaled with the menu: a
    // button added this way is connected by its caller.
    QWidget* addControl(const MenuControl& row);

signals:
    // "退  出" was pressed: the program ends at once.
    void quitRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void setKeyboardOrder();
    void openDrillWindow(const QString& formName);
    void openRecordsWindow();
    void openClassWindow();
    void choosePupil();
    // A message box over the menu saying where the page is.
    PageNotOpened tellWherePageIs();

    DrillWindowFactory createDrillWindow_;
    HelpPages helpPages_;
    RecordsWindowFactory createRecordsWindow_;
    RecordsWindowFactory createClassWindow_;
    std::function<QString()> currentPupilName_;
    std::function<void()> choosePupil_;
    TwipsLayout layout_;
};

} // namespace zorvel
