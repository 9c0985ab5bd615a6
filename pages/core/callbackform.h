#pragma once

#include "pages/core/pageslayer.h"

#include "shell/core/tooltipwidths.h"

#include "pages/core/formcontrols.h"

#include <QString>

#include <array>

namespace telvio {

// One of the three rows of the callback table.
struct CallbackEntryForm {
    QString label; // "1:"
    EditState number;
    EditState password;
    ButtonState clear;
    ButtonState save;
};

// The Callback page as plain state.
struct CallbackForm {
    ListState control;
    ButtonState saveControl;
    EditState delay;
    ButtonState saveDelay;
    std::array<CallbackEntryForm, 3> entries;
    ButtonState read;
    ButtonState saveAll;
    bool tooltips = true;

    static CallbackForm Initial();
};

namespace callbackpagetext {
inline const QString kTitle = QStringLiteral("Callback");
inline const QString kGroup = QStringLiteral("Secure Callback");
inline const QString kControlCaption = QStringLiteral("Callback security [*WCB]");
inline const QString kDelayCaption = QStringLiteral("Delay before callback (*WCBTIME)");
inline const QString kNumberColumn = QStringLiteral("Callback number [*WCBTAB]");
inline const QString kPasswordColumn = QStringLiteral("Access Password [*WCBPWD]");
inline const QString kReadFailed = QStringLiteral("Error: Unable to retrieve settings...");
inline const QString kWriteFailed = QStringLiteral("Error: Unable to save settings...");
inline const QString kWriteText = QStringLiteral("Transfering data...");
constexpr int kTooltipWidth = TooltipWidth(PageId::Callback);
constexpr int kDelayLimit = 3;
constexpr int kTextLimit = 20;
} // namespace callbackpagetext

} // namespace telvio
