// Who is practising: the pupil chooser the menu's "学生：" opens, and that the
// program shows at start when the record holds two or more pupils. It lists
// the pupils with the current one preselected (Enter confirms it) and adds a
// pupil; the choice becomes the record's current pupil.
#pragma once

#include "records/record_store.h"

#include <QDialog>

#include <functional>
#include <optional>

QT_BEGIN_NAMESPACE
class QListWidget;
QT_END_NAMESPACE

namespace zorvel {

// Asks for a new pupil's name (parent, title, prompt); none when cancelled.
using AskName = std::function<std::optional<QString>(QWidget*, const QString&, const QString&)>;
// Tells the user something (parent, title, text).
using TellUser = std::function<void(QWidget*, const QString&, const QString&)>;

class PupilChooser : public QDialog {
    Q_OBJECT
public:
    PupilChooser(records::RecordStore& store, AskName askName, TellUser tell, QWidget* parent = nullptr);

    void done(int result) override;

private:
    void fillList(qint64 selected);
    void addPupil();

    records::RecordStore& store_;
    AskName askName_;
    TellUser tell_;
    QListWidget* list_ = nullptr;
};

// Qt's input dialog and message box behind PupilChooser.
AskName askNameWithInputDialog();
TellUser tellWithMessageBox();

// Shows the chooser over `over` when the record holds two or more pupils;
// true when it was shown.
bool askWhoIsPractising(records::RecordStore& store, QWidget* over, const AskName& askName, const TellUser& tell);

} // namespace zorvel
