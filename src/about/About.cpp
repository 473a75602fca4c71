#include "about/About.h"

#include "about/LicenseText.h"
#include "common/CommandGuard.h"
#include "common/UserPrompts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
}

TfrmAbout::TfrmAbout(UserPrompts &prompts, QWidget *parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Fortavo"));
    setWindowIcon(logo());
    buildControls();
    resize(620, 460);
}

TfrmAbout::~TfrmAbout() = default;

QIcon TfrmAbout::logo()
{
    return QIcon(QStringLiteral(":/about/logo.svg"));
}

void TfrmAbout::buildControls()
{
    imgLogo = named(new QLabel(this), "imgLogo");
    imgLogo->setPixmap(logo().pixmap(QSize(80, 80)));
    lblNaslov = named(new QLabel(QStringLiteral("Fortavo"), this), "lblNaslov");
    QFont title = lblNaslov->font();
    title.setPointSize(30);
    title.setBold(true);
    lblNaslov->setFont(title);
    lblVerzija = named(new QLabel(QStringLiteral("v.0.9 beta"), this), "lblVerzija");
    lblWeb = named(new QLabel(QStringLiteral("Visit the Fortavo website!"), this), "lblWeb");
    lblWeb->installEventFilter(this);
    updateLink();

    memLicenca = named(new QPlainTextEdit(this), "memLicenca");
    memLicenca->setReadOnly(true);
    memLicenca->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memLicenca->setTabChangesFocus(true);
    memLicenca->setLineWrapMode(QPlainTextEdit::NoWrap); // the licence keeps its own lines

    bitOk = named(new QPushButton(QStringLiteral("OK"), this), "bitOk");
    bitOk->setDefault(true);
    connect(bitOk, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblNaslov);
    texts->addWidget(lblVerzija);
    texts->addWidget(lblWeb);
    texts->addStretch();
    auto *head = new QHBoxLayout;
    head->addWidget(imgLogo, 0, Qt::AlignTop);
    head->addSpacing(12);
    head->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bitOk);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(memLicenca, 1);
    layout->addLayout(buttons);
}

void TfrmAbout::startUp()
{
    runGuarded(m_prompts, [this] {
        const std::optional<QString> text = LicenseText::read(LicenseText::path());
        if (text)
            memLicenca->setPlainText(*text);
        else
            m_prompts.error(LicenseText::missingMessage());
    });
}

void TfrmAbout::setWebsiteAction(QAction *action)
{
    if (m_website)
        disconnect(m_website, nullptr, this, nullptr);
    m_website = action;
    if (action)
        connect(action, &QAction::changed, this, &TfrmAbout::updateLink);
    updateLink();
}

bool TfrmAbout::linkActive() const
{
    return m_website && m_website->isEnabled();
}

void TfrmAbout::updateLink()
{
    // Without an address the label is plain text: no link colour, no hand pointer.
    QFont font = lblWeb->font();
    font.setUnderline(linkActive());
    lblWeb->setFont(font);
    if (linkActive()) {
        lblWeb->setStyleSheet(QStringLiteral("QLabel { color: blue; }"));
        lblWeb->setCursor(Qt::PointingHandCursor);
    } else {
        lblWeb->setStyleSheet(QString());
        lblWeb->unsetCursor();
    }
}

void TfrmAbout::lblWebClick()
{
    if (linkActive())
        m_website->trigger();
}

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblWeb && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblWebClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
