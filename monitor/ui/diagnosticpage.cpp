#include "monitor/ui/diagnosticpage.h"

#include "monitor/core/report.h"
#include "pages/ui/basicpage.h"
#include "pages/ui/formbinding.h"
#include "pages/ui/gprspage.h"
#include "pages/ui/smspage.h"
#include "pages/ui/v24v25page.h"
#include "shell/core/helptopics.h"
#include "shell/core/tooltipwidths.h"
#include "shell/ui/bitmapbutton.h"
#include "shell/ui/propsheet.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace telvio {

namespace {

// The sheet the page stands in: its parent while it waits to be added,
// the tab stack's parent while it is a tab.
CPropSheet *SheetOf(const QWidget *page)
{
    for (QWidget *w = page->parentWidget(); w; w = w->parentWidget()) {
        if (auto *sheet = qobject_cast<CPropSheet *>(w))
            return sheet;
    }
    return nullptr;
}

} // namespace

Cdiagnostic::Cdiagnostic(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Diagnostic, diagnostictext::kTitle, context, parent),
      m_logic(std::make_unique<DiagnosticLogic>(Session(), Prompt()))
{
    SetHelpId(this, HelpTopics::kDiagnosticTopicId);
    m_logic->hooks.sectionOf = [this](PageId page) { return SectionOf(page); };
    SetOpenFile(nullptr);

    auto *group = new QGroupBox(diagnostictext::kGroup, this);
    auto *grid = new QGridLayout(group);
    for (int i = 0; i < kDiagFieldCount; ++i) {
        const DiagFieldState &state = m_logic->form.fields[size_t(i)];
        // A label with a buddy shows "&&" as one "&", as the dialog layout
        // meant it.
        auto *label = new QLabel(state.caption, group);
        auto *field = new QPlainTextEdit(group);
        field->setReadOnly(true);
        // As the edits of the dialog layout: no horizontal scroll bar, so
        // long lines wrap.
        field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        field->setVerticalScrollBarPolicy(state.tall ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        const int lines = state.tall ? 5 : 1;
        field->setFixedHeight(field->fontMetrics().lineSpacing() * lines + 2 * field->frameWidth() + 8);
        label->setBuddy(field);
        SetHelpId(field, state.controlId);
        // A one-line caption level with its field's line; a tall field's at
        // its first line.
        grid->addWidget(label, i, 0, state.tall ? Qt::AlignTop : Qt::AlignVCenter);
        grid->addWidget(field, i, 1);
        m_labels[size_t(i)] = label;
        m_fields[size_t(i)] = field;
    }
    grid->setColumnStretch(1, 1);

    m_reload = new BitmapButton(BitmapButton::Read, m_logic->form.reload.caption, this);
    m_createReport = new QPushButton(m_logic->form.createReport.caption, this);
    SetHelpId(m_reload, diagnostictext::kReloadId);
    SetHelpId(m_createReport, diagnostictext::kCreateReportId);
    connect(m_reload, &QPushButton::clicked, this, [this] {
        m_logic->Reload();
        ShowForm();
    });
    connect(m_createReport, &QPushButton::clicked, this, [this] {
        m_logic->CreateReport();
        ShowForm();
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_reload);
    buttons->addWidget(m_createReport);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addStretch(1);
    ShowForm();
}

Cdiagnostic::~Cdiagnostic() = default;

void Cdiagnostic::SetOpenFile(std::function<void(const QString &)> open)
{
    if (!open)
        open = [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    m_logic->hooks.openFile = std::move(open);
}

void Cdiagnostic::OnSetActive()
{
    m_logic->Activate();
    ShowForm();
}

void Cdiagnostic::ResetState()
{
    m_logic->Reset();
    ShowForm();
}

void Cdiagnostic::ShowForm()
{
    const DiagnosticForm &f = m_logic->form;
    for (int i = 0; i < kDiagFieldCount; ++i) {
        const DiagFieldState &state = f.fields[size_t(i)];
        QPlainTextEdit *field = m_fields[size_t(i)];
        // The answers keep the modem's CR LF; the edit wants one break each.
        QString text = state.text;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (field->toPlainText() != text)
            field->setPlainText(text);
        ShowControl(field, state, f.tooltips, TooltipWidth(PageId::Diagnostic));
    }
    ShowButton(m_reload, f.reload, f.tooltips, TooltipWidth(PageId::Diagnostic));
    ShowButton(m_createReport, f.createReport, f.tooltips, TooltipWidth(PageId::Diagnostic));
}

std::optional<ReportSection> Cdiagnostic::SectionOf(PageId page) const
{
    CPropSheet *sheet = SheetOf(this);
    if (!sheet)
        return std::nullopt;
    switch (page) {
    case PageId::Basic:
        if (auto *basic = qobject_cast<Cconfig *>(sheet->Page(page)))
            return BasicReportSection(basic->Logic().form, Session().basicRecord);
        break;
    case PageId::Serial:
        if (auto *serial = qobject_cast<Cv24v25 *>(sheet->Page(page)))
            return SerialReportSection(serial->Logic().form);
        break;
    case PageId::Sms:
        if (auto *sms = qobject_cast<Csms *>(sheet->Page(page)))
            return SmsReportSection(sms->Logic().form);
        break;
    case PageId::Gprs:
        if (auto *gprs = qobject_cast<Cgprs *>(sheet->Page(page)))
            return GprsReportSection(ShownTexts(gprs->Logic().form));
        break;
    default: break;
    }
    return std::nullopt;
}

} // namespace telvio
