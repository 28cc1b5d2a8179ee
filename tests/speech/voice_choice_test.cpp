// Voice choice over injected voice lists.
#include "speech/voice_choice.h"

#include <QTest>

using namespace zorvel;

Q_DECLARE_METATYPE(std::vector<zorvel::InstalledVoice>)

namespace {

InstalledVoice voice(const char* name, std::vector<std::string> languages)
{
    return {name, std::string("id/") + name, std::move(languages)};
}

} // namespace

class VoiceChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<std::vector<InstalledVoice>>("voices");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("style");
        const auto pinyin = int(ReadingStyle::Pinyin);
        const auto hanzi = int(ReadingStyle::Hanzi);
        const auto verbatim = int(ReadingStyle::Verbatim);
        QTest::newRow("the pinyin voice over the plain Mandarin one")
            << std::vector<InstalledVoice>{voice("af", {"af"}), voice("cmn", {"cmn", "zh-cmn", "zh"}),
                                           voice("pinyin", {"cmn-latn-pinyin", "zh-cmn", "zh"})}
            << 2 << pinyin;
        QTest::newRow("a Mandarin voice without the pinyin one")
            << std::vector<InstalledVoice>{voice("en", {"en"}), voice("cmn", {"cmn", "zh"})} << 1 << hanzi;
        QTest::newRow("a zh-CN voice, any case")
            << std::vector<InstalledVoice>{voice("en", {"en"}), voice("huihui", {"zh-CN"})} << 1 << hanzi;
        QTest::newRow("Cantonese is not Simplified Mandarin")
            << std::vector<InstalledVoice>{voice("en", {"en"}), voice("yue", {"yue", "zh-yue", "zh"})} << 0 << verbatim;
        QTest::newRow("no Chinese voice: the first listed")
            << std::vector<InstalledVoice>{voice("de", {"de"}), voice("en", {"en"})} << 0 << verbatim;
        QTest::newRow("a voice without languages")
            << std::vector<InstalledVoice>{voice("mystery", {})} << 0 << verbatim;
    }

    void choice()
    {
        QFETCH(std::vector<InstalledVoice>, voices);
        QFETCH(int, index);
        QFETCH(int, style);
        const std::optional<VoiceChoice> chosen = chooseVoice(voices);
        QVERIFY(chosen.has_value());
        QCOMPARE(int(chosen->index), index);
        QCOMPARE(int(chosen->style), style);
    }

    void noVoices() { QVERIFY(!chooseVoice({}).has_value()); }
};

QTEST_APPLESS_MAIN(VoiceChoiceTest)
#include "voice_choice_test.moc"
