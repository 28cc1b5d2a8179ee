// ToUnicode entries mapped back to the characters drawn, through the glyphs
// they share.
#include "worksheets/pdf_text_layer.h"

#include <QHash>
#include <QRawFont>

#include <bitset>
#include <memory>
#include <vector>

namespace zorvel::sheets {

namespace {

class DrawnTwins {
public:
    DrawnTwins(const QString& drawn, const QList<QFont>& fonts)
    {
        for (QChar c : drawn)
            drawn_.set(c.unicode());
        for (const QFont& font : fonts) {
            Face face{QRawFont::fromFont(font), {}};
            for (QChar c : drawn)
                if (const quint32 glyph = glyphOf(face.raw, c.unicode()))
                    face.drawnByGlyph.insert(glyph, c.unicode());
            faces_.push_back(std::move(face));
        }
    }

    // The drawn character that shares its glyph with `code`, or `code`.
    char16_t drawnFor(char16_t code)
    {
        if (drawn_.test(code))
            return code;
        for (const Face& face : faces_)
            if (const quint32 glyph = glyphOf(face.raw, code))
                if (const auto it = face.drawnByGlyph.constFind(glyph); it != face.drawnByGlyph.constEnd())
                    return it.value();
        return code;
    }

private:
    struct Face {
        QRawFont raw;
        QHash<quint32, char16_t> drawnByGlyph;
    };
    static quint32 glyphOf(const QRawFont& raw, char16_t code)
    {
        const QChar c(code);
        quint32 glyph = 0;
        int count = 1;
        return raw.glyphIndexesForChars(&c, 1, &glyph, &count) && count == 1 ? glyph : 0;
    }
    std::bitset<0x10000> drawn_;
    std::vector<Face> faces_;
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Rewrites the four-digit code "<XXXX>" that starts at `at`, if it is one.
void renameCode(QByteArray& pdf, qsizetype at, DrawnTwins& twins)
{
    if (at + 6 > pdf.size() || pdf[at] != '<' || pdf[at + 5] != '>')
        return;
    int code = 0;
    for (int i = 1; i <= 4; ++i) {
        const int digit = hexValue(pdf[at + i]);
        if (digit < 0)
            return;
        code = code * 16 + digit;
    }
    const char16_t named = twins.drawnFor(char16_t(code));
    if (named != code)
        pdf.replace(at + 1, 4, QByteArray::number(uint(named), 16).toUpper().rightJustified(4, '0'));
}

// The "<...>" codes of one line of a bfrange or bfchar section.
std::vector<qsizetype> codesOnLine(const QByteArray& pdf, qsizetype from, qsizetype to)
{
    std::vector<qsizetype> codes;
    for (qsizetype at = pdf.indexOf('<', from); at >= 0 && at < to; at = pdf.indexOf('<', at + 1))
        codes.push_back(at);
    return codes;
}

// A line names its characters after the source codes: "<a> <b> [<u> <v> …]"
// and "<a> <a> <u>" in a bfrange (a run "<a> <b> <u>" counts up from u and
// is left alone), "<a> <u>" in a bfchar.
void renameSection(QByteArray& pdf, qsizetype from, qsizetype to, bool ranges, DrawnTwins& twins)
{
    while (from < to) {
        qsizetype end = pdf.indexOf('\n', from);
        if (end < 0 || end > to)
            end = to;
        const std::vector<qsizetype> codes = codesOnLine(pdf, from, end);
        const bool array = pdf.indexOf('[', from) >= 0 && pdf.indexOf('[', from) < end;
        if (ranges && array) {
            for (std::size_t i = 2; i < codes.size(); ++i)
                renameCode(pdf, codes[i], twins);
        } else if (ranges && codes.size() == 3 && pdf.mid(codes[0], 6) == pdf.mid(codes[1], 6)) {
            renameCode(pdf, codes[2], twins);
        } else if (!ranges && codes.size() == 2) {
            renameCode(pdf, codes[1], twins);
        }
        from = end + 1;
    }
}

void renameSections(QByteArray& pdf, const char* begin, const char* end, bool ranges, DrawnTwins& twins)
{
    const QByteArray opening(begin), closing(end);
    for (qsizetype at = pdf.indexOf(opening); at >= 0; at = pdf.indexOf(opening, at + 1)) {
        const qsizetype stop = pdf.indexOf(closing, at);
        if (stop < 0)
            return;
        renameSection(pdf, at + opening.size(), stop, ranges, twins);
    }
}

} // namespace

void nameDrawnCharacters(QByteArray& pdf, const QString& drawn, const QList<QFont>& fonts)
{
    DrawnTwins twins(drawn, fonts);
    renameSections(pdf, "beginbfrange", "endbfrange", true, twins);
    renameSections(pdf, "beginbfchar", "endbfchar", false, twins);
}

} // namespace zorvel::sheets
