// "打印练习卷": choose a written or a listening sheet, the operation, level,
// type, how many questions, how many a row and whether to add the answer
// pages, how many copies of the pupils' pages (the key is printed once) and,
// for a listening sheet, a compact key; then preview and print, or save the
// sheet as PDF. The questions are drawn anew for each sheet, or from the seed
// given (the seed an exported recording named, to print its test again).
#pragma once

#include "records_window/records_services.h"
#include "worksheets/worksheet.h"

#include <QDialog>

#include <cstdint>
#include <functional>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QComboBox;
class QLayout;
class QLineEdit;
class QSpinBox;
QT_END_NAMESPACE

namespace zorvel::records {

class PrintSheetDialog : public QDialog {
    Q_OBJECT
public:
    // seed: where each sheet's questions start (the clock's by default).
    PrintSheetDialog(const RecordsServices& services, std::function<std::uint64_t()> seed = {},
                     QWidget* parent = nullptr);

    // The sheet the choices describe, with newly drawn questions.
    sheets::Worksheet worksheet() const;

private:
    QLayout* buildForm();
    QLayout* buildButtons();
    void fillLevels();
    bool listening() const;
    void preview();
    void savePdf();

    const RecordsServices& services_;
    std::function<std::uint64_t()> seed_;
    QComboBox* mode_ = nullptr;
    QComboBox* operation_ = nullptr;
    QComboBox* level_ = nullptr;
    QComboBox* type_ = nullptr;
    QSpinBox* count_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QCheckBox* answers_ = nullptr;
    QCheckBox* compactKey_ = nullptr;
    QSpinBox* copies_ = nullptr;
    QLineEdit* seedBox_ = nullptr;
};

} // namespace zorvel::records
