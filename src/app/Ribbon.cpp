#include "app/Ribbon.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

namespace {
// The groups of each ribbon tab, in the order they stand.
const QList<QPair<QString, QStringList>> &ribbonLayout()
{
    static const QList<QPair<QString, QStringList>> layout = {
        {Ribbon::TrainingTab, {"Files", "Workouts", "Editing", "Exercise list", "Goals"}},
        {Ribbon::ToolsTab, {"Export", "Workout analysis", "Training analysis", "Scripting", "Converter"}},
        {Ribbon::HelpTab, {"Settings", "Help", "Web"}},
    };
    return layout;
}

// A ribbon caption on two lines, broken at the blank nearest the middle.
QString ribbonCaption(QString text)
{
    int best = -1;
    for (int i = 0; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char(' ') && (best < 0 || qAbs(i - text.size() / 2) < qAbs(best - text.size() / 2)))
            best = i;
    if (best > 0)
        text[best] = QLatin1Char('\n');
    return text;
}
}

Ribbon::Ribbon(QWidget *parent) : QWidget(parent)
{
    auto *areaLayout = new QHBoxLayout(this);
    areaLayout->setContentsMargins(4, 4, 4, 0);

    auto *menuButton = new QToolButton(this);
    menuButton->setObjectName(QStringLiteral("btnApplicationMenu"));
    menuButton->setText(QStringLiteral("Fortavo main menu"));
    menuButton->setToolTip(QStringLiteral("Fortavo main menu"));
    menuButton->setPopupMode(QToolButton::InstantPopup);
    m_applicationMenu = new QMenu(QStringLiteral("Fortavo main menu"), menuButton);
    m_applicationMenu->setObjectName(QStringLiteral("mnuApplication"));
    menuButton->setMenu(m_applicationMenu);
    menuButton->setMinimumHeight(64);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("ribbon"));
    m_tabs->setMaximumHeight(118);
    for (const auto &[tab, groups] : ribbonLayout()) {
        auto *page = new QWidget(m_tabs);
        auto *layout = new QHBoxLayout(page);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->addStretch();
        m_tabs->addTab(page, tab);
    }
    auto *caption = new QLabel(QStringLiteral("Fortavo 0.9b"), this);
    caption->setObjectName(QStringLiteral("lblRibbonCaption"));
    caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    areaLayout->addWidget(menuButton, 0, Qt::AlignTop);
    areaLayout->addWidget(m_tabs, 1);
    areaLayout->addWidget(caption, 0, Qt::AlignTop);
}

void Ribbon::addMenuItem(QAction *action)
{
    m_applicationMenu->addAction(action);
}

void Ribbon::addMenuItem(const QString &text, QAction *action)
{
    // A second item of the same command shows its key but carries none, so the key
    // stays the command's own.
    auto *item = new QAction(m_applicationMenu);
    const auto showKeys = [item, text, action] {
        const QString keys = action->shortcut().toString(QKeySequence::NativeText);
        item->setText(keys.isEmpty() ? text : text + QLatin1Char('\t') + keys);
        item->setEnabled(action->isEnabled());
    };
    showKeys();
    connect(action, &QAction::changed, item, showKeys);
    connect(item, &QAction::triggered, action, &QAction::trigger);
    m_applicationMenu->addAction(item);
}

void Ribbon::addMenuSeparator()
{
    m_applicationMenu->addSeparator();
}

void Ribbon::addCommand(const QString &tab, const QString &group, QAction *action)
{
    int tabIndex = 0;
    QStringList groups;
    for (; tabIndex < ribbonLayout().size(); ++tabIndex)
        if (ribbonLayout().at(tabIndex).first == tab) {
            groups = ribbonLayout().at(tabIndex).second;
            break;
        }
    Q_ASSERT(tabIndex < ribbonLayout().size());
    QWidget *page = m_tabs->widget(tabIndex);
    auto *layout = static_cast<QHBoxLayout *>(page->layout());
    const QString groupName = QStringLiteral("grp") + QString(group).remove(QLatin1Char(' '));
    auto *box = page->findChild<QGroupBox *>(groupName, Qt::FindDirectChildrenOnly);
    if (!box) {
        box = new QGroupBox(group, page);
        box->setObjectName(groupName);
        new QHBoxLayout(box);
        // Groups keep the tab's order whatever order they are created in.
        int position = 0;
        for (int i = 0; i < layout->count(); ++i) {
            auto *other = qobject_cast<QGroupBox *>(layout->itemAt(i)->widget());
            if (other && groups.indexOf(other->title()) < groups.indexOf(group))
                position = i + 1;
        }
        layout->insertWidget(position, box);
    }
    auto *button = new QToolButton(box);
    button->setDefaultAction(action);
    button->setObjectName(QStringLiteral("rbn") + action->objectName());
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumHeight(48);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    // The button takes the action's own text again whenever the action changes (the
    // delete keys move between commands), so the caption and the key are put back then.
    const auto caption = [button, action] {
        button->setText(ribbonCaption(action->iconText()));
        QString tip = action->toolTip();
        if (!action->shortcut().isEmpty())
            tip += QStringLiteral(" (%1)").arg(action->shortcut().toString(QKeySequence::NativeText));
        button->setToolTip(tip);
    };
    caption();
    connect(action, &QAction::changed, button, caption);
    box->layout()->addWidget(button);
    // A hidden tab's growth reaches no layout, and a main window does not hold its menu
    // area to its minimum: the tab's page and the ribbon keep their own minimum widths,
    // so the window is never narrower than its widest tab and no caption is cut.
    const QMargins margins = layout->contentsMargins();
    int pageWidth = margins.left() + margins.right();
    for (QGroupBox *other : page->findChildren<QGroupBox *>(QString(), Qt::FindDirectChildrenOnly))
        pageWidth += other->minimumSizeHint().width() + layout->spacing();
    page->setMinimumWidth(pageWidth);
    m_tabs->setMinimumWidth(m_tabs->minimumSizeHint().width());
    this->layout()->invalidate();
    setMinimumWidth(minimumSizeHint().width());
    if (QWidget *top = window(); top != this)
        top->setMinimumWidth(minimumWidth());
}
