#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/pageflags.h"
#include "monitor/core/diagnosticform.h"
#include "monitor/core/report.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace telvio {

class ModemSession;
class Prompter;
class TransferFrame;

// What the report needs from around the Diagnostic page: the settings of
// the other pages as their windows show them, the clock, and the desktop
// that opens the written file. The widget page gives the sheet's pages and
// the desktop's browser; tests give their own.
struct ReportHooks {
    // The section of a page that has read its settings; nothing when the
    // page has no window to show them.
    std::function<std::optional<ReportSection>(PageId)> sectionOf;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    // Opens the written report with the desktop's default application.
    std::function<void(const QString &path)> openFile;
};

// What the Diagnostic page (`Cdiagnostic`) does, on its form: the eight
// answers of Reload and the HTML report of Create Report.
class DiagnosticLogic {
public:
    DiagnosticLogic(ModemSession &session, Prompter &prompts);

    DiagnosticForm form = DiagnosticForm::Initial();
    ReportHooks hooks;

    // The page's window is made: the next showing reloads.
    void Create();
    // Each showing: tooltips by the option, and the first one after a
    // connect reloads.
    void Activate();
    // The page left the page set; its fields start empty next time.
    void Reset();

    // Asks the eight commands. Only while the link is free (or a connect is
    // running); a command that gets no answer stops the run, and the fields
    // not reached keep their text. No message in any case.
    bool Reload();
    // The question, the re-read of pages whose settings are stale, the save
    // dialog, the file and the browser. The written path, or empty when the
    // user stopped or the file could not be written (the user was told).
    QString CreateReport();

    // The report's first part: time, model, link and this page's fields.
    ReportInput ReportBase(const QDateTime &time) const;
    // The report of what the pages show now, for the sections `sectionOf`
    // gives of the pages that are added and have read.
    ReportInput ReportNow(const QDateTime &time) const;

private:
    bool ReloadSteps(TransferFrame &frame);
    void ReReadStalePages();

    ModemSession &m_session;
    Prompter &m_prompts;
    bool m_firstShow = true;
    bool m_created = false;
};

// The pages whose settings the report holds, in the report's order.
inline constexpr PageId kReportPages[] = {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs};

} // namespace telvio
