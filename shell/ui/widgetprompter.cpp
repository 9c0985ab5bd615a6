#include "shell/ui/widgetprompter.h"

#include "shell/ui/codeentrydialog.h"

#include <QFileDialog>
#include <QMessageBox>

namespace telvio {

namespace {

QString CaptionOr(const QString &caption)
{
    return caption.isEmpty() ? QStringLiteral("Telvio") : caption;
}

QMessageBox::Icon BoxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information: return QMessageBox::Information;
    case Prompter::Icon::Warning: return QMessageBox::Warning;
    case Prompter::Icon::Error: return QMessageBox::Critical;
    case Prompter::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The program's texts end their lines the way its modems do, "\n\r"; a
// message box would take the CR for a second line break and double-space
// the question.
QString BoxText(QString text)
{
    return text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

} // namespace

void WidgetPrompter::Message(const QString &text, const QString &caption, Icon icon)
{
    QMessageBox box(BoxIcon(icon), CaptionOr(caption), BoxText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

bool WidgetPrompter::Question(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::Question, CaptionOr(caption), BoxText(text), QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString WidgetPrompter::OpenFile(const QString &filter, const QString &defaultExt)
{
    Q_UNUSED(defaultExt);
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Open"), QString(), filter);
}

QString WidgetPrompter::SaveFile(const QString &filter, const QString &defaultExt)
{
    return WithDefaultExtension(QFileDialog::getSaveFileName(m_parent, QStringLiteral("Save As"), QString(), filter),
                                defaultExt);
}

std::optional<QString> WidgetPrompter::EnterCode(const QString &caption, int maxLength, bool masked)
{
    CodeEntryDialog dialog(caption, maxLength, masked, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Code();
}

} // namespace telvio
