// The menu behind "朗读设置": 语速 慢/中/快, 每题读两遍, 自动出题 and its
// interval of 5, 10 or 15 seconds, 读题时不显示题目. Each choice takes
// effect at once.
#pragma once

#include "listening_pace/reading_settings.h"

#include <QMenu>

#include <array>

class QAction;

namespace zorvel {

class ReadingMenu : public QMenu {
    Q_OBJECT
public:
    explicit ReadingMenu(QWidget* parent = nullptr);

    ReadingSettings settings() const;
    // Shows the settings; changed() is emitted only for the pupil's choices.
    void showSettings(const ReadingSettings& settings);

signals:
    void changed(const ReadingSettings& settings);

private:
    QAction* addChoice(const QString& name, const QString& text);

    std::array<QAction*, 3> paces_{};
    QAction* twice_ = nullptr;
    QAction* autoAsk_ = nullptr;
    std::array<QAction*, 3> gaps_{};
    QAction* hide_ = nullptr;
};

} // namespace zorvel
