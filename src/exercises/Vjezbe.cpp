#include "exercises/Vjezbe.h"

#include "common/CommandGuard.h"
#include "common/CommandRegistry.h"
#include "common/LimitedTextEdit.h"
#include "common/UserPrompts.h"
#include "exercises/ExerciseAnalysis.h"
#include "exercises/ExerciseSort.h"
#include "exercises/OneRmGraph.h"
#include "store/WorkoutSession.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
const QString AnalysisCaption = QStringLiteral("Analysis of the application of the exercise");
const QString UsageTab = QStringLiteral("Exercise usage");

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The title row of the catalogue grid: the hand pointer over a title, which a click
// sorts by. QHeaderView clears any pointer it did not set itself on each mouse move, so
// the hand is put back after it has chosen the resize pointer for a column border.
class TitleHeader : public QHeaderView {
public:
    explicit TitleHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (testAttribute(Qt::WA_SetCursor) && cursor().shape() == Qt::PointingHandCursor)
            unsetCursor();
        QHeaderView::mouseMoveEvent(event);
        if (!testAttribute(Qt::WA_SetCursor))
            setCursor(Qt::PointingHandCursor);
    }
};

// Room for the analysis of a typical exercise: its longest sentences on one line each,
// and the lines of ten repetition counts.
QSize analysisTextSize(const QPlainTextEdit &memo)
{
    const QFontMetrics metrics(memo.font());
    int width = 0;
    for (const QString &line : {QStringLiteral("Exercise was used on 9999 workouts, 99999 sets in total."),
                                QStringLiteral("1 RM cannot be determined as the exercise has always been executed with BW.")})
        width = qMax(width, metrics.horizontalAdvance(line));
    constexpr int RepCountLines = 10;
    constexpr int OtherLines = 6; // sums, average, heading, two blank lines and the 1RM
    const int frame = 2 * memo.frameWidth();
    const int margin = 2 * int(memo.document()->documentMargin());
    const int scrollBar = memo.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &memo);
    return {width + margin + frame + scrollBar + metrics.averageCharWidth(),
            (RepCountLines + OtherLines) * metrics.lineSpacing() + margin + frame};
}

// The memo shows line breaks; the analysis text carries CRLF.
QString memoText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}
}

TfrmVjezbe::TfrmVjezbe(UserPrompts &prompts, WorkoutSession &session, QWidget *parent)
    : QDialog(parent), m_prompts(prompts), m_session(session)
{
    setObjectName(QStringLiteral("frmVjezbe"));
    setWindowTitle(QStringLiteral("Exercise list"));
    buildControls();
    resize(defaultWidth(), CompactHeight);
}

TfrmVjezbe::~TfrmVjezbe() = default;

void TfrmVjezbe::buildControls()
{
    // Entry controls of a new exercise.
    edtNaziv = named(new QLineEdit(this), "edtNaziv");
    edtNaziv->setMaxLength(CatalogExercise::NameCapacity);
    cmbDioTijela = named(new QComboBox(this), "cmbDioTijela");
    memOpis = named(new LimitedTextEdit(CatalogExercise::DescriptionCapacity, this), "memOpis");
    memOpis->setTabChangesFocus(true);
    memOpis->setFixedHeight(70);
    bitDodaj = named(new QPushButton(QStringLiteral("Add"), this), "bitDodaj");
    bitSpremi = named(new QPushButton(QStringLiteral("Save"), this), "bitSpremi");
    bitSpremi->setToolTip(QStringLiteral("Save changes and exit"));
    connect(bitDodaj, &QPushButton::clicked, this, &TfrmVjezbe::bitDodajClick);
    connect(bitSpremi, &QPushButton::clicked, this, &TfrmVjezbe::bitSpremiClick);

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Exercise name:"), this), 0, 0);
    form->addWidget(edtNaziv, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Bodypart:"), this), 1, 0);
    form->addWidget(cmbDioTijela, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Description:"), this), 0, 2, Qt::AlignTop);
    form->addWidget(memOpis, 0, 3, 2, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(bitDodaj);
    buttons->addWidget(bitSpremi);
    buttons->addStretch();
    form->addLayout(buttons, 0, 4, 2, 1);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 2);

    // The catalogue grid; a click on a title sorts by that column.
    stgVjezbe = named(new QTableWidget(1, ExerciseSort::Titles.size(), this), "stgVjezbe");
    stgVjezbe->setHorizontalHeader(new TitleHeader(stgVjezbe));
    stgVjezbe->setHorizontalHeaderLabels(ExerciseSort::Titles);
    stgVjezbe->verticalHeader()->hide();
    stgVjezbe->setSelectionMode(QAbstractItemView::SingleSelection);
    stgVjezbe->setTabKeyNavigation(false); // arrows move between cells, Tab leaves the grid
    stgVjezbe->setColumnWidth(0, 40);
    stgVjezbe->setColumnWidth(1, 220);
    stgVjezbe->setColumnWidth(2, 120);
    stgVjezbe->horizontalHeader()->setStretchLastSection(true);
    QHeaderView *header = stgVjezbe->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setCursor(Qt::PointingHandCursor);
    // A title click sorts and leaves the selected row alone.
    disconnect(header, SIGNAL(sectionPressed(int)), stgVjezbe, SLOT(selectColumn(int)));
    disconnect(header, SIGNAL(sectionEntered(int)), stgVjezbe, SLOT(_q_selectColumn(int)));
    connect(header, &QHeaderView::sectionClicked, this, &TfrmVjezbe::sortByColumn);
    stgVjezbe->installEventFilter(this);

    // The grid's commands and its pop-up menu. The registry makes one action per command
    // and gives it its key; the pop-up shows the same actions.
    auto *commands = new CommandRegistry(this);
    const auto command = [commands](const char *name, const QString &text, const QKeySequence &key,
                                    Qt::ShortcutContext context, QWidget *keyOwner) {
        return commands->add({QLatin1String(name), text, {key}, context, {}, {}}, keyOwner);
    };
    actObrisiRed = command("actObrisiRed", QStringLiteral("Delete row"), QKeySequence(Qt::Key_Delete),
                           Qt::WidgetWithChildrenShortcut, stgVjezbe);
    connect(actObrisiRed, &QAction::triggered, this, &TfrmVjezbe::actObrisiRedExecute);
    mniAnalizirajVjezbu = command("mniAnalizirajVjezbu", QStringLiteral("Analyze exercise"),
                                  QKeySequence(Qt::CTRL | Qt::Key_A), Qt::WidgetWithChildrenShortcut, stgVjezbe);
    connect(mniAnalizirajVjezbu, &QAction::triggered, this, &TfrmVjezbe::mniAnalizirajVjezbuClick);
    pmVjezbe = named(new QMenu(this), "pmVjezbe");
    pmVjezbe->addAction(actObrisiRed);
    pmVjezbe->addAction(mniAnalizirajVjezbu);
    stgVjezbe->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(stgVjezbe, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { pmVjezbe->popup(stgVjezbe->viewport()->mapToGlobal(pos)); });

    // Window-wide commands.
    actSpremi = command("actSpremi", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), Qt::WindowShortcut, this);
    connect(actSpremi, &QAction::triggered, this, &TfrmVjezbe::actSpremiExecute);
    actSakrij = command("actSakrij", QStringLiteral("Hide analysis"), QKeySequence(Qt::Key_Escape), Qt::WindowShortcut,
                        this);
    connect(actSakrij, &QAction::triggered, this, &TfrmVjezbe::bitSakrijClick);

    // The analysis area: page "Exercise application".
    auto *applicationPage = new QWidget;
    grbAnaliza = named(new QGroupBox(AnalysisCaption, applicationPage), "grbAnaliza");
    memAnaliza = named(new QPlainTextEdit(grbAnaliza), "memAnaliza");
    memAnaliza->setReadOnly(true);
    // Read-only, yet the caret still moves, scrolls and selects from the keyboard.
    memAnaliza->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memAnaliza->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memAnaliza->setTabChangesFocus(true);
    memAnaliza->setMinimumSize(analysisTextSize(*memAnaliza));
    imgGraf = named(new QLabel(grbAnaliza), "imgGraf");
    imgGraf->setFixedSize(OneRmGraph::Width, OneRmGraph::Height);
    auto *graphColumn = new QVBoxLayout;
    graphColumn->addWidget(new QLabel(QStringLiteral("Change of the weight used:"), grbAnaliza));
    graphColumn->addWidget(imgGraf);
    graphColumn->addStretch();
    auto *analysisLayout = new QHBoxLayout(grbAnaliza);
    analysisLayout->addWidget(memAnaliza, 1);
    analysisLayout->addLayout(graphColumn);
    auto *applicationLayout = new QVBoxLayout(applicationPage);
    applicationLayout->setContentsMargins(0, 0, 0, 0);
    applicationLayout->addWidget(grbAnaliza);

    // Page "Exercise usage".
    auto *usagePage = new QWidget;
    pnlExerciseUsage = named(new QWidget(usagePage), "pnlExerciseUsage");
    spnKoliko = named(new QSpinBox(pnlExerciseUsage), "spnKoliko");
    spnKoliko->setRange(1, 9999);
    spnKoliko->setValue(5);
    connect(spnKoliko, &QSpinBox::valueChanged, this, &TfrmVjezbe::spnKolikoChange);
    stgProsli = named(new QTableWidget(1, UsageTitles.size(), pnlExerciseUsage), "stgProsli");
    stgProsli->setHorizontalHeaderLabels(UsageTitles);
    stgProsli->verticalHeader()->hide();
    stgProsli->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stgProsli->setTabKeyNavigation(false);
    stgProsli->setColumnWidth(0, 40);
    stgProsli->setColumnWidth(1, 220);
    stgProsli->setColumnWidth(2, 140);
    stgProsli->horizontalHeader()->setStretchLastSection(true);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QStringLiteral("Exercise usage during the past:"), pnlExerciseUsage));
    countRow->addWidget(spnKoliko);
    countRow->addWidget(new QLabel(QStringLiteral("workouts."), pnlExerciseUsage));
    countRow->addStretch();
    auto *usageLayout = new QVBoxLayout(pnlExerciseUsage);
    usageLayout->setContentsMargins(0, 0, 0, 0);
    usageLayout->addLayout(countRow);
    usageLayout->addWidget(stgProsli);
    auto *usagePageLayout = new QVBoxLayout(usagePage);
    usagePageLayout->setContentsMargins(0, 0, 0, 0);
    usagePageLayout->addWidget(pnlExerciseUsage);

    tabAnaliza = named(new QTabWidget(this), "tabAnaliza");
    tabAnaliza->addTab(applicationPage, QStringLiteral("Exercise application"));
    tabAnaliza->addTab(usagePage, UsageTab);
    // As tall as the analysis text needs; the grid above gives up the rest.
    tabAnaliza->setFixedHeight(tabAnaliza->minimumSizeHint().height());
    tabAnaliza->hide();
    connect(tabAnaliza, &QTabWidget::currentChanged, this, &TfrmVjezbe::tabAnalizaChange);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(stgVjezbe, 1);
    layout->addWidget(tabAnaliza);

    const QList<QWidget *> tabOrder = {edtNaziv, cmbDioTijela, memOpis,   bitDodaj,  bitSpremi,
                                       stgVjezbe, tabAnaliza, memAnaliza, spnKoliko, stgProsli};
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    // Add is the default button while a new exercise is being entered, and only then.
    // A focused button is the default itself.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && now->window() == this && !qobject_cast<QAbstractButton *>(now))
            bitDodaj->setDefault(isEntryField(now));
    });
}

int TfrmVjezbe::defaultWidth() const
{
    // Wide enough for the analysis text beside the graph.
    const QMargins margins = layout()->contentsMargins();
    return qMax(800, tabAnaliza->minimumSizeHint().width() + margins.left() + margins.right());
}

bool TfrmVjezbe::isEntryField(const QWidget *widget) const
{
    for (const QWidget *field : {static_cast<QWidget *>(edtNaziv), static_cast<QWidget *>(cmbDioTijela),
                                 static_cast<QWidget *>(memOpis)})
        if (widget == field || field->isAncestorOf(widget))
            return true;
    return false;
}

bool TfrmVjezbe::startUp(const QStringList &bodyparts, const QString &exerciseFileName)
{
    m_fileName = ExerciseFile::resolveName(exerciseFileName);
    cmbDioTijela->clear();
    cmbDioTijela->addItems(bodyparts);
    cmbDioTijela->setCurrentIndex(0);
    return runGuarded(m_prompts, [&] {
        m_file.open(m_fileName);
        // Another copy of the program that has the file keeps it: this one refuses to save.
        m_file.claimInUse();
        loadGrid();
    });
}

bool TfrmVjezbe::showModal()
{
    return exec() == QDialog::Accepted;
}

QStringList TfrmVjezbe::exerciseNames() const
{
    QStringList names;
    for (int r = 0; r + 1 < stgVjezbe->rowCount(); ++r)
        names << cell(r, 1);
    return names;
}

void TfrmVjezbe::fillExerciseChoice(QComboBox &cmbVjezba) const
{
    QStringList names = exerciseNames();
    if (names.isEmpty())
        return;
    names.sort(Qt::CaseInsensitive);
    const QString typed = cmbVjezba.currentText();
    cmbVjezba.clear();
    cmbVjezba.addItems(names);
    if (cmbVjezba.isEditable())
        cmbVjezba.setEditText(typed);
}

void TfrmVjezbe::closeExerciseFile()
{
    m_file.close();
}

QString TfrmVjezbe::cell(int row, int column) const
{
    const QTableWidgetItem *item = stgVjezbe->item(row, column);
    return item ? item->text() : QString();
}

void TfrmVjezbe::setCell(int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = stgVjezbe->item(row, column))
        item->setText(text);
    else
        stgVjezbe->setItem(row, column, new QTableWidgetItem(text));
}

void TfrmVjezbe::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Each showing starts from the file: unsaved edits are dropped.
    if (!event->spontaneous() && m_file.isOpen())
        runGuarded(m_prompts, [this] {
            if (m_file.changedOutside())
                m_file.reopen();
            loadGrid();
        });
}

void TfrmVjezbe::loadGrid()
{
    const QList<CatalogExercise> exercises = m_file.readAll();
    stgVjezbe->setRowCount(1);
    for (int c = 0; c < stgVjezbe->columnCount(); ++c)
        setCell(0, c, QString());
    // Each record goes through the entry controls and Add, so a body part that is not
    // in the list takes the item the choice holds at that moment.
    for (const CatalogExercise &e : exercises) {
        edtNaziv->setText(e.Name);
        for (int i = 0; i < cmbDioTijela->count(); ++i)
            if (cmbDioTijela->itemText(i) == e.Bodypart)
                cmbDioTijela->setCurrentIndex(i);
        memOpis->setPlainText(e.Description);
        bitDodajClick();
    }
    edtNaziv->clear();
    memOpis->clear();
    cmbDioTijela->setCurrentIndex(0);
    stgVjezbe->setCurrentCell(0, 1);
    tabAnaliza->hide();
    resize(width(), CompactHeight);
}

void TfrmVjezbe::bitDodajClick()
{
    const int r = stgVjezbe->rowCount() - 1;
    setCell(r, 0, QString::number(r + 1) + QLatin1Char('.'));
    setCell(r, 1, edtNaziv->text());
    setCell(r, 2, cmbDioTijela->currentText());
    setCell(r, 3, memOpis->toPlainText());
    stgVjezbe->insertRow(r + 1);
    edtNaziv->clear();
    memOpis->clear();
    cmbDioTijela->setCurrentIndex(0);
}

void TfrmVjezbe::save()
{
    // A cell being edited holds its new text in the editor until the edit ends. Ctrl+S
    // leaves the focus in the editor, so the edit is ended here and saved with the rest.
    const QModelIndex current = stgVjezbe->currentIndex();
    if (QWidget *editor = current.isValid() ? stgVjezbe->indexWidget(current) : nullptr) {
        QAbstractItemDelegate *delegate = stgVjezbe->itemDelegateForIndex(current);
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    QList<CatalogExercise> exercises;
    for (int r = 0; r + 1 < stgVjezbe->rowCount(); ++r)
        exercises.append({cell(r, 1), cell(r, 2), cell(r, 3)});
    m_file.save(exercises);
}

void TfrmVjezbe::bitSpremiClick()
{
    // A failed save keeps the window open, so the edits are not lost.
    if (runGuarded(m_prompts, [this] { save(); }))
        accept();
}

void TfrmVjezbe::actSpremiExecute()
{
    runGuarded(m_prompts, [this] { save(); });
}

void TfrmVjezbe::actObrisiRedExecute()
{
    const int r = stgVjezbe->currentRow();
    // The blank last row is not an exercise: deleting it would drop the last exercise.
    if (r < 0 || r >= stgVjezbe->rowCount() - 1)
        return;
    stgVjezbe->removeRow(r);
}

void TfrmVjezbe::sortByColumn(int column)
{
    QStringList titles;
    for (int c = 0; c < stgVjezbe->columnCount(); ++c)
        titles << stgVjezbe->horizontalHeaderItem(c)->text();
    const bool ascending = ExerciseSort::sortsAscending(titles.at(column));

    QList<QStringList> rows;
    for (int r = 0; r + 1 < stgVjezbe->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < stgVjezbe->columnCount(); ++c)
            row << cell(r, c);
        rows << row;
    }
    ExerciseSort::sortRows(rows, column, ascending);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < stgVjezbe->columnCount(); ++c)
            setCell(r, c, rows.at(r).at(c));

    ExerciseSort::markSortedColumn(titles, column);
    for (int c = 0; c < titles.size(); ++c)
        stgVjezbe->horizontalHeaderItem(c)->setText(titles.at(c));
}

QString TfrmVjezbe::selectedExerciseName() const
{
    return cell(stgVjezbe->currentRow(), 1);
}

void TfrmVjezbe::showGraph(const QImage &image)
{
    m_graph = image;
    imgGraf->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

void TfrmVjezbe::mniAnalizirajVjezbuClick()
{
    if (stgVjezbe->currentRow() < 0)
        return;
    const QString name = selectedExerciseName();
    // An analysis already shown is kept as it is, even if the training file changed.
    if (m_analysedName != name) {
        try {
            const ExerciseAnalysis analysis = AnalyseExercise(m_session.trainingFile(), name);
            memAnaliza->setPlainText(memoText(analysis.text));
            m_oneRmPoints = analysis.oneRmPoints;
            showGraph(OneRmGraph::draw(analysis.firstDate, analysis.lastDate, m_oneRmPoints));
            m_analysedName = name;
        } catch (const std::exception &) {
            // No other exercise's figures stay under this exercise's caption, and the
            // next request tries again.
            m_analysedName.reset();
            memAnaliza->clear();
            m_oneRmPoints.clear();
            showGraph(QImage());
            m_prompts.warning(UnableToCollectMessage);
        }
    }
    runGuarded(m_prompts, [&] { fillUsageGrid(name); });
    resize(width(), FullHeight);
    grbAnaliza->setTitle(AnalysisCaption + QStringLiteral(" - ") + name);
    tabAnaliza->setCurrentIndex(0);
    grbAnaliza->show();
    pnlExerciseUsage->hide();
    tabAnaliza->show();
}

void TfrmVjezbe::fillUsageGrid(const QString &name)
{
    stgProsli->setRowCount(1);
    for (int c = 0; c < stgProsli->columnCount(); ++c)
        stgProsli->setItem(0, c, new QTableWidgetItem);
    const QList<QStringList> rows = ExerciseUsageRows(m_session.trainingFile(), name, spnKoliko->value());
    stgProsli->setRowCount(rows.size() + 1);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            stgProsli->setItem(r, c, new QTableWidgetItem(rows.at(r).at(c)));
    for (int c = 0; c < stgProsli->columnCount(); ++c)
        stgProsli->setItem(rows.size(), c, new QTableWidgetItem);
}

void TfrmVjezbe::spnKolikoChange()
{
    runGuarded(m_prompts, [this] { fillUsageGrid(selectedExerciseName()); });
}

void TfrmVjezbe::tabAnalizaChange()
{
    const bool usage = tabAnaliza->tabText(tabAnaliza->currentIndex()) == UsageTab;
    pnlExerciseUsage->setVisible(usage);
    grbAnaliza->setVisible(!usage);
}

void TfrmVjezbe::bitSakrijClick()
{
    tabAnaliza->hide();
    resize(width(), CompactHeight);
}

void TfrmVjezbe::keyPressEvent(QKeyEvent *event)
{
    // Esc hides the analysis; it does not close the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        bitSakrijClick();
        return;
    }
    // Enter that no control took presses the focused button, or Add from the entry
    // fields; elsewhere (the analysis, the count) it adds nothing.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        QWidget *focused = focusWidget();
        if (auto *button = qobject_cast<QAbstractButton *>(focused))
            button->click();
        else if (focused && isEntryField(focused))
            bitDodaj->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmVjezbe::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the grid ends a cell edit; it must not reach the default button and add
    // an empty exercise.
    if (watched == stgVjezbe && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
