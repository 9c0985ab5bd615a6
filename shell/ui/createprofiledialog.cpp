#include "shell/ui/createprofiledialog.h"

#include "shell/core/profileflows.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace telvio {

CreateProfileDialog::CreateProfileDialog(int modelCode, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(createprofile::Caption());
    auto *label = new QLabel(createprofile::Label(), this);
    m_models = new QComboBox(this);
    m_models->setObjectName(QStringLiteral("modemType"));
    m_models->addItems(createprofile::Items());
    m_models->setCurrentIndex(createprofile::ItemOf(modelCode));
    label->setBuddy(m_models);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_models, 1, 0);
    layout->addWidget(ok, 0, 1);
    layout->addWidget(cancel, 1, 1);
    layout->setColumnStretch(0, 1);
}

int CreateProfileDialog::ModelCode() const
{
    return createprofile::CodeOf(m_models->currentIndex());
}

} // namespace telvio
