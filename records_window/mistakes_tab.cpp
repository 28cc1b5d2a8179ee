// The mistakes book, "重练" and the ticking of a listening test's questions.
#include "records_window/mistakes_tab.h"
#include "choice_box/choice_box.h"

#include "design_units/screen_units.h"
#include "records_window/mistakes_print_bar.h"
#include "records_window/record_controls.h"
#include "records_window/record_texts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zorvel::records {

namespace {

enum BookColumn { QuestionColumn, TimesColumn, LastColumn, RedoColumn };

QString groupText(const Exercise& exercise, size_t count)
{
    // Two lines: the question column is narrow beside the counts and the
    // "重练" button, and a heading cut to "…" names no exercise.
    return QStringLiteral("%1 · %2\n%3（%4 题）")
        .arg(windowText(exercise), levelText(exercise), numberTypeText(exercise.operation, exercise.numberType),
             QString::number(count));
}

} // namespace

MistakesTab::MistakesTab(RecordQueries& store, const RecordsServices& services, QWidget* parent)
    : QWidget(parent), store_(store), services_(services)
{
    setObjectName(QStringLiteral("tabMistakes"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildBook(), 2);
    layout->addWidget(buildListening(), 1);
}

QWidget* MistakesTab::buildBook()
{
    QGroupBox* frame = makeFrame(this, QStringLiteral("错题本（普通模式第一次答错的题，和听算时勾选的题）"));
    auto* layout = new QVBoxLayout(frame);
    book_ = new QTreeWidget(frame);
    book_->setObjectName(QStringLiteral("treMistakes"));
    book_->setFont(designFont(FontFace::Songti, 12));
    book_->header()->setFont(designFont(FontFace::Heiti, 11, true));
    book_->setHeaderLabels({QStringLiteral("题目"), QStringLiteral("错误次数"), QStringLiteral("最近一次"), QString()});
    book_->header()->setStretchLastSection(false);
    book_->header()->setSectionResizeMode(QuestionColumn, QHeaderView::Stretch);
    book_->setColumnWidth(TimesColumn, twipsToPixels(1050));
    book_->setColumnWidth(LastColumn, twipsToPixels(1500));
    book_->setColumnWidth(RedoColumn, twipsToPixels(1080));
    book_->setSelectionMode(QAbstractItemView::NoSelection);
    book_->setAlternatingRowColors(true);
    layout->addWidget(book_);
    printBar_ = new MistakesPrintBar(services_, frame);
    layout->addWidget(printBar_);
    return frame;
}

QWidget* MistakesTab::buildListening()
{
    QGroupBox* frame = makeFrame(this, QStringLiteral("听算批改"));
    auto* layout = new QVBoxLayout(frame);
    listeningTests_ = new ChoiceBox(frame);
    listeningTests_->setObjectName(QStringLiteral("cboListeningTest"));
    listeningTests_->setFont(designFont(FontFace::Songti, 11));
    auto* hint = new QLabel(QStringLiteral("批改完纸上的答案后，勾选做错的题，它们就加入错题本。"), frame);
    hint->setFont(designFont(FontFace::Songti, 11));
    hint->setWordWrap(true);
    listeningQuestions_ = new QListWidget(frame);
    listeningQuestions_->setObjectName(QStringLiteral("lstListeningQuestions"));
    listeningQuestions_->setFont(designFont(FontFace::Songti, 12));
    layout->addWidget(listeningTests_);
    layout->addWidget(hint);
    layout->addWidget(listeningQuestions_, 1);

    connect(listeningTests_, qOverload<int>(&QComboBox::currentIndexChanged), this, &MistakesTab::showListeningTest);
    connect(listeningQuestions_, &QListWidget::itemChanged, this, &MistakesTab::tickChanged);
    return frame;
}

void MistakesTab::showPupil(qint64 pupil)
{
    pupil_ = pupil;
    loaded_ = false;
    if (isVisible())
        load();
}

void MistakesTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!loaded_)
        load();
}

void MistakesTab::load()
{
    loaded_ = true;
    reloadBook();
    reloadListeningTests();
}

void MistakesTab::reloadBook()
{
    book_->clear();
    const std::vector<std::vector<Mistake>> groups = mistakeGroups(store_.mistakes(pupil_));
    const QString problem = store_.readProblem();
    printBar_->setGroups(groups);
    for (const std::vector<Mistake>& group : groups)
        addGroup(group);
    if (groups.empty()) {
        auto* none = new QTreeWidgetItem(
            book_, {problem.isEmpty() ? QStringLiteral("错题本是空的。") : QStringLiteral("错题本没能读出。")});
        none->setFirstColumnSpanned(true);
    }
    if (!problem.isEmpty())
        emit readFailed(problem);
}

void MistakesTab::addGroup(const std::vector<Mistake>& mistakes)
{
    const Exercise exercise = mistakes.front().exercise;
    auto* group = new QTreeWidgetItem(book_, {groupText(exercise, mistakes.size())});
    QFont bold = designFont(FontFace::Heiti, 11, true);
    group->setFont(QuestionColumn, bold);
    for (const Mistake& mistake : mistakes) {
        auto* item = new QTreeWidgetItem(group, {questionText(exercise.operation, mistake.question),
                                                 QString::number(mistake.timesWrong),
                                                 mistake.lastWrong.toString(QStringLiteral("yyyy-MM-dd"))});
        item->setTextAlignment(TimesColumn, Qt::AlignCenter);
    }
    group->setExpanded(true);

    QPushButton* redo = makeButton(book_, "cmdRedo", QStringLiteral("重练"), 11);
    redo->setToolTip(QStringLiteral("在普通模式里练这些题：测试的前几题就是错题本里的题"));
    redo->setEnabled(static_cast<bool>(services_.openRedo));
    book_->setItemWidget(group, RedoColumn, redo);
    connect(redo, &QPushButton::clicked, this, [this, exercise] {
        services_.openRedo(normalWindowOf(exercise), exercise.levelOption, exercise.numberType);
        // The test just practised may have changed the book. Rebuilt once this
        // click is over, since rebuilding deletes the button clicked.
        QMetaObject::invokeMethod(this, &MistakesTab::reloadBook, Qt::QueuedConnection);
    });
}

void MistakesTab::reloadListeningTests()
{
    const QSignalBlocker blocker(listeningTests_);
    listeningTests_->clear();
    const std::vector<TestRow> tests = store_.listeningTests(pupil_);
    const QString problem = store_.readProblem();
    for (const TestRow& test : tests) {
        const QString text = QStringLiteral("%1  %2 %3 %4")
                                 .arg(test.started.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                      operationText(test.exercise.operation), levelText(test.exercise),
                                      numberTypeText(test.exercise.operation, test.exercise.numberType));
        listeningTests_->addItem(text, test.id);
        listeningTests_->setItemData(listeningTests_->count() - 1, test.exercise.operation, Qt::UserRole + 1);
    }
    if (listeningTests_->count() == 0)
        listeningTests_->addItem(problem.isEmpty() ? QStringLiteral("还没有听算测试") : QStringLiteral("听算测试没能读出"));
    if (!problem.isEmpty())
        emit readFailed(problem);
    listeningTests_->setCurrentIndex(0);
    showListeningTest(0);
}

void MistakesTab::showListeningTest(int index)
{
    const QSignalBlocker blocker(listeningQuestions_);
    listeningQuestions_->clear();
    const QVariant id = listeningTests_->itemData(index);
    if (!id.isValid())
        return;
    const QString operation = listeningTests_->itemData(index, Qt::UserRole + 1).toString();
    for (const ListeningQuestion& question : store_.listeningQuestions(id.toLongLong())) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1. %2").arg(question.number, 2).arg(questionText(operation, question.question)),
            listeningQuestions_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(question.inBook ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, question.questionId);
    }
}

void MistakesTab::tickChanged(QListWidgetItem* item)
{
    store_.setInBook(item->data(Qt::UserRole).toLongLong(), item->checkState() == Qt::Checked);
    reloadBook();
}

} // namespace zorvel::records
