// Captions, tool tips, placement, fonts and colours of the main menu.
#include "shell/menu_table.h"

namespace zorvel {

namespace {

const QString normalToolTip = QStringLiteral("每题计算正确后出下一题 计总时间");
const QString listeningToolTip = QStringLiteral("语音播报  连续出题  答案回放");
const QString productToolTip = QStringLiteral(
    "连续出题，语音播报，答案回放，此模式需语音模块支持，若无此模块，则需要手动安装TTS语音引擎");

const QString operationCaptions[5] = {
    QStringLiteral("加  法"), QStringLiteral("减  法"), QStringLiteral("加减混合"),
    QStringLiteral("乘  法"), QStringLiteral("除  法")};

constexpr int buttonTops[5] = {3960, 4800, 5640, 6480, 7320};
constexpr unsigned normalGreen = 0xC0FF00;
constexpr unsigned listeningPink = 13421823;   // &HCCCCFF
constexpr unsigned dailyYellow = 0x80F0FF;   // red 255, green 240, blue 128
constexpr unsigned fluencyGold = 0x60D0FF;   // red 255, green 208, blue 96
constexpr unsigned black = 0x000000;
constexpr unsigned red = 0x0000FF;
constexpr unsigned darkBlue = 0xC00000;
constexpr unsigned linkBlue = 0xFF0000;
constexpr unsigned purple = 0x800080;

std::vector<MenuControl> buildControls()
{
    using K = MenuControlKind;
    using F = FontFace;
    std::vector<MenuControl> rows = {
        {K::Label, "lblTitle", QStringLiteral("Tavimo公益软件 Zorvel"), {}, 1800, 0, 12525, 1305, F::Heiti, 48, true, red, true},
        {K::Label, "Label5", {}, {}, 360, 1440, 14400, 495, F::Heiti, 16, false, darkBlue, false},
        {K::Label, "Label4", {}, {}, 360, 2280, 14520, 495, F::Heiti, 16, false, darkBlue, false},
        {K::Label, "Label2", QStringLiteral("普通模式"), {}, 9720, 3240, 1500, 600, F::Heiti, 14, true, black, true},
        {K::LinkLabel, "Label3", QStringLiteral("听算模式"), productToolTip, 11640, 3240, 1500, 600, F::Heiti, 14, true, linkBlue, true},
    };
    static const char* normalNames[5] = {"Command1", "Command2", "Command3", "Command4", "Command5"};
    static const char* listeningNames[5] = {"Command6", "Command7", "Command8", "Command9", "Command10"};
    for (int i = 0; i < 5; ++i)
        rows.push_back({K::Button, normalNames[i], operationCaptions[i], normalToolTip, 9720, buttonTops[i], 1500, 600, F::Heiti, 14, false, black, true});
    for (int i = 0; i < 5; ++i)
        rows.push_back({K::Button, listeningNames[i], operationCaptions[i], listeningToolTip, 11640, buttonTops[i], 1500, 600, F::Heiti, 14, false, black, true});
    rows.push_back({K::Button, "Command0", QStringLiteral("退  出"), {}, 11640, 8400, 1500, 600, F::Heiti, 14, false, black, true});
    // The records window, in the free place of the normal-mode column, and
    // whose record it is, above the column headings: a click there chooses
    // the pupil.
    rows.push_back({K::Button, "cmdRecords", QStringLiteral("学习记录"), QStringLiteral("成绩、进步曲线和错题本"), 9720, 8400, 1500, 600, F::Heiti, 14, false, black, true});
    // The daily practice, in the free place right of the two columns.
    rows.push_back({K::Button, "cmdDaily", QStringLiteral("今日练习"), QStringLiteral("每天练一练自己还不熟的口诀"), 13560, 3960, 1500, 600, F::Heiti, 14, false, black, true});
    // The timed tests, under it.
    rows.push_back({K::Button, "cmdFluency", QStringLiteral("达标测试"), QStringLiteral("限时口算：正确率、每分钟正确题数和个人最好"), 13560, buttonTops[1], 1500, 600, F::Heiti, 14, false, black, true});
    // The class view, for a teacher, under them beside "退  出".
    rows.push_back({K::Button, "cmdClass", QStringLiteral("班级汇总"), QStringLiteral("老师用：导入学生交来的记录文件，看全班的成绩、口诀热图、常错题和达标"), 13560, 8400, 1500, 600, F::Heiti, 14, false, black, true});
    rows.push_back({K::LinkLabel, "lblPupil", {}, QStringLiteral("点此换学生或添加学生"), 9720, 2820, 3420, 375, F::Heiti, 12, true, darkBlue, true});
    rows.push_back({K::Label, "Label6", {}, {}, 1560, 8640, 6855, 615, F::Heiti, 18, false, purple, false});
    rows.push_back({K::LinkLabel, "Label1", QStringLiteral("意见和建议请联系 Tavimo 公益软件 · 点此打开 Zorvel 使用说明"), {}, 3720, 9720, 7800, 375, F::Songti, 10.5, false, linkBlue, true});
    rows.push_back({K::Label, "Label7", QStringLiteral("2020-11"), {}, 6960, 10320, 1815, 495, F::Arial, 12, false, black, true});
    return rows;
}

} // namespace

const std::vector<MenuControl>& menuControls()
{
    static const std::vector<MenuControl> rows = buildControls();
    return rows;
}

const std::vector<DrillButton>& drillButtons()
{
    static const std::vector<DrillButton> rows = {
        {"Command1", "Form81", normalGreen}, {"Command2", "Form82", normalGreen},
        {"Command3", "Form83", normalGreen}, {"Command4", "Form84", normalGreen},
        {"Command5", "Form85", normalGreen}, {"Command6", "Form91", listeningPink},
        {"Command7", "Form92", listeningPink}, {"Command8", "Form93", listeningPink},
        {"Command9", "Form94", listeningPink}, {"Command10", "Form95", listeningPink},
        {"cmdDaily", "frmDaily", dailyYellow}, {"cmdFluency", "frmFluency", fluencyGold}};
    return rows;
}

QString sloganOne()
{
    return QStringLiteral("随机出题求变化 即时反馈保质量 自动计时求速度，游戏化高效快乐学习");
}

QString sloganTwo()
{
    return QStringLiteral("语音播报练听算 答案回放自批改 5分钟完成出题 测验 批改 反馈全过程");
}

QString sloganThree()
{
    return QStringLiteral(" 人的大脑 非常神奇 开发是金 不用是泥");
}

} // namespace zorvel
