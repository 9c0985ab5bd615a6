#pragma once

#include <QString>

#include <optional>

namespace telvio {

// Every question the program puts to the user goes through one of these:
// message boxes, yes/no questions, file dialogs and the code-entry dialog.
// The windows use the widget implementation; tests hand in a scripted one
// so that a procedure that asks can be driven without a screen.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Error };

    virtual ~Prompter() = default;

    // A message with an OK button. An empty caption means the program's name.
    virtual void Message(const QString &text, const QString &caption = QString(), Icon icon = Icon::None) = 0;
    // Yes/No; true for Yes.
    virtual bool Question(const QString &text, const QString &caption = QString()) = 0;
    // A file to read or write; empty when the user cancels. `filter` is in the
    // "Profile files (*.dat)" form, several joined by ";;". `defaultExt`
    // ("dat", without the dot) is added to a typed name that has none.
    virtual QString OpenFile(const QString &filter, const QString &defaultExt) = 0;
    virtual QString SaveFile(const QString &filter, const QString &defaultExt) = 0;
    // A short code (PIN, PUK, password) of at most `maxLength` characters,
    // shown as dots when `masked`; nothing when the user cancels.
    virtual std::optional<QString> EnterCode(const QString &caption, int maxLength, bool masked) = 0;
};

// Adds `defaultExt` to a chosen file name whose last part has no extension.
QString WithDefaultExtension(const QString &path, const QString &defaultExt);

} // namespace telvio
