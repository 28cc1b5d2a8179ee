// The reading menu's actions, named for UI automation ("PaceSlow",
// "ReadTwice", "AutoAsk", "Gap10", "HideQuestion").
#include "listening_drill/reading_menu.h"

#include "common/window_texts.h"

#include <QActionGroup>

namespace zorvel {

ReadingMenu::ReadingMenu(QWidget* parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("ReadingMenu"));
    auto* paceGroup = new QActionGroup(this);
    const char* paceNames[3] = {"PaceSlow", "PaceNormal", "PaceFast"};
    for (std::size_t i = 0; i < kAllPaces.size(); ++i) {
        const std::string_view caption = paceCaption(kAllPaces[i]);
        paces_[i] = addChoice(QString::fromLatin1(paceNames[i]),
                              QStringLiteral("语速：") + catalogueText(caption));
        paceGroup->addAction(paces_[i]);
    }
    addSeparator();
    twice_ = addChoice(QStringLiteral("ReadTwice"), QStringLiteral("每题读两遍"));
    addSeparator();
    autoAsk_ = addChoice(QStringLiteral("AutoAsk"), QStringLiteral("自动出题"));
    auto* gapGroup = new QActionGroup(this);
    for (std::size_t i = 0; i < kOfferedGaps.size(); ++i) {
        gaps_[i] = addChoice(QStringLiteral("Gap%1").arg(kOfferedGaps[i]),
                             QStringLiteral("间隔 %1 秒").arg(kOfferedGaps[i]));
        gapGroup->addAction(gaps_[i]);
    }
    addSeparator();
    hide_ = addChoice(QStringLiteral("HideQuestion"), QStringLiteral("读题时不显示题目"));
    showSettings(ReadingSettings());
    // Once per choice, after its group has unticked the others.
    connect(this, &QMenu::triggered, this, [this] { emit changed(settings()); });
}

QAction* ReadingMenu::addChoice(const QString& name, const QString& text)
{
    QAction* action = addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    return action;
}

ReadingSettings ReadingMenu::settings() const
{
    ReadingSettings settings;
    for (std::size_t i = 0; i < kAllPaces.size(); ++i)
        if (paces_[i]->isChecked())
            settings.pace = kAllPaces[i];
    settings.twice = twice_->isChecked();
    settings.autoAsk = autoAsk_->isChecked();
    settings.hideQuestion = hide_->isChecked();
    for (std::size_t i = 0; i < kOfferedGaps.size(); ++i)
        if (gaps_[i]->isChecked())
            settings.gapSeconds = kOfferedGaps[i];
    return settings;
}

void ReadingMenu::showSettings(const ReadingSettings& settings)
{
    for (std::size_t i = 0; i < kAllPaces.size(); ++i)
        paces_[i]->setChecked(kAllPaces[i] == settings.pace);
    twice_->setChecked(settings.twice);
    autoAsk_->setChecked(settings.autoAsk);
    hide_->setChecked(settings.hideQuestion);
    for (std::size_t i = 0; i < kOfferedGaps.size(); ++i)
        gaps_[i]->setChecked(kOfferedGaps[i] == settings.gapSeconds);
}

} // namespace zorvel
