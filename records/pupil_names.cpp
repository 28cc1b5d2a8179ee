// Normalising and checking a pupil's name.
#include "records/pupil_names.h"

#include <QList>

namespace zorvel::records {

namespace {

bool isControl(uint c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

// Characters that show nothing but are letters, symbols or marks to
// Unicode: the Hangul fillers, the blank braille pattern and the combining
// grapheme joiner.
bool isBlankLetter(uint c)
{
    return c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0 || c == 0x2800 || c == 0x034F;
}

// Drops the invisible format characters and blank letters, composes, trims.
QString visibleForm(const QString& typed)
{
    QList<uint> kept;
    for (uint c : typed.toUcs4())
        if (QChar::category(c) != QChar::Other_Format && !isBlankLetter(c))
            kept.append(c);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.constData()), kept.size()).normalized(QString::NormalizationForm_C).trimmed();
}

} // namespace

PupilName pupilName(const QString& typed)
{
    const QString name = visibleForm(typed);
    const QList<uint> characters = name.toUcs4();
    if (characters.isEmpty())
        return {QString(), QStringLiteral("名字不能为空。")};
    if (characters.size() > kLongestPupilName)
        return {QString(), QStringLiteral("名字太长了，最多 %1 个字。").arg(kLongestPupilName)};
    for (uint c : characters)
        if (isControl(c))
            return {QString(), QStringLiteral("名字里不能有换行、制表符这样的控制字符。")};
    return {name, QString()};
}

QString refusalOf(const PupilName& checked)
{
    return checked.refusal.isEmpty() ? QStringLiteral("已经有同名的学生了，名字不能和已有的学生重名。") : checked.refusal;
}

bool samePupilName(const QString& a, const QString& b)
{
    return visibleForm(a) == visibleForm(b);
}

} // namespace zorvel::records
