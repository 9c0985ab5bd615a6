#pragma once

#include "pages/core/pageslayer.h"

#include "shell/core/tooltipwidths.h"

#include "pages/core/formcontrols.h"

#include <QString>
#include <QStringList>

#include <array>

namespace telvio {

// The control ids of one row of the I/O list (help topics are numbered by
// them).
struct IoRowIds {
    int service, retry, time, priority, edit, clear, save;
};
inline constexpr std::array<IoRowIds, 10> kIoRowIds = {{
    {1468, 1440, 1538, 1398, 1286, 1264, 1312},
    {1470, 1442, 1540, 1400, 1290, 1268, 1316},
    {1472, 1444, 1542, 1402, 1292, 1270, 1318},
    {1474, 1446, 1544, 1404, 1294, 1272, 1320},
    {1476, 1448, 1546, 1406, 1296, 1274, 1322},
    {1478, 1450, 1548, 1408, 1298, 1276, 1324},
    {1480, 1452, 1550, 1410, 1300, 1278, 1326},
    {1482, 1454, 1552, 1412, 1302, 1280, 1328},
    {1484, 1456, 1554, 1414, 1304, 1282, 1330},
    {1486, 1458, 1556, 1416, 1288, 1266, 1314},
}};

// One row of the I/O list: entry k, shown as "k+1:".
struct IoRowForm {
    QString label;
    ListState service;
    ListState retry;
    EditState time;
    ListState priority;
    ButtonState edit;
    ButtonState clear;
    ButtonState save;

    // The one description every row is made from.
    static IoRowForm Initial(int k);
};

// The I/O page as plain state: the trigger parameters, the ten entries and
// remote I/O access, with the Read and Write buttons.
struct IoForm {
    EditState tp;
    EditState tc;
    ListState trigType;
    ListState trigLevel;
    ListState outputCtrl;
    ButtonState saveParameters;
    std::array<IoRowForm, 10> rows;
    ButtonState clearAll;
    ListState enable;
    ButtonState saveEnable;
    ButtonState read;
    ButtonState write;
    bool tooltips = true;

    static IoForm Initial();
};

namespace iopagetext {
inline const QString kTitle = QStringLiteral("I/O");
inline const QString kParametersGroup = QStringLiteral("I/O parameters [*WIOP]");
inline const QString kListGroup = QStringLiteral("I/O List [*WIOL]");
inline const QString kEnableGroup = QStringLiteral("I/O Enable [*WIOE]");
inline const QString kPulseCaption = QStringLiteral("Trig pulse time in 10 ms");
inline const QString kTp = QStringLiteral("Tp");
inline const QString kTc = QStringLiteral("Tc");
inline const QString kTrigType = QStringLiteral("Trig type <type>");
inline const QString kTrigLevel = QStringLiteral("Trig level <trig>");
inline const QString kOutputCtrl = QStringLiteral("Output ctrl <norm>");
inline const QString kServiceColumn = QStringLiteral("Service");
inline const QString kRetryColumn = QStringLiteral("Retry <flag>");
inline const QString kTimeColumn = QStringLiteral("Time");
inline const QString kPriorityColumn = QStringLiteral("Priority");
inline const QString kAllEntries = QStringLiteral("All entries:");
inline const QString kReadFailed = QStringLiteral("Error: Unable to retrieve settings...");
inline const QString kWriteFailed = QStringLiteral("Error: Unable to save settings...");
inline const QString kWriteText = QStringLiteral("Transfering data...");
constexpr int kTooltipWidth = TooltipWidth(PageId::Io);
constexpr int kNumberLimit = 3;

inline const QStringList kServices = {QStringLiteral("NONE"), QStringLiteral("DIAL"), QStringLiteral("SMS"),
                                      QStringLiteral("TEXT"), QStringLiteral("EMAIL"), QStringLiteral("OUT"),
                                      QStringLiteral("CMD"),  QStringLiteral("TRANS")};
inline const QStringList kRetries = {QStringLiteral("NO"), QStringLiteral("RETRY"), QStringLiteral("RETRY_3"),
                                     QStringLiteral("NEXT_OK"), QStringLiteral("NEXT_ERR")};
inline const QStringList kPriorities = {QStringLiteral("0"), QStringLiteral("1")};
inline const QString kRetryTip = QStringLiteral(
    "Defines if the establishment of the servise shall be retried.\n\r0: NO, no retry.\n\r1: RETRY, Retry "
    "infinitely to establish the service.\n\r2: RETRY_3, DO 1 try and max 3 retries.\n\r3: NEXT_OK, Trig next "
    "serivce if current service ends with OK.\n\r4: NEXT_ERR, Trig next service if current service fails.");
inline const QString kPriorityTip = QStringLiteral(
    "Priority of the service.\n\r0: An existing connection will NOT be terminated, retries accordning to "
    "retry-settings\n\r1: A current connection will be terminated before the specified connection is "
    "established.");
} // namespace iopagetext

} // namespace telvio
