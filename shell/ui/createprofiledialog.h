#pragma once

#include "shell/ui/uilayer.h"

#include <QDialog>

class QComboBox;

namespace telvio {

// "Create Profile": the model a new profile is made for.
class CreateProfileDialog : public QDialog {
    Q_OBJECT
public:
    // `modelCode` chooses the item shown first.
    explicit CreateProfileDialog(int modelCode, QWidget *parent = nullptr);

    // The model code of the chosen item.
    int ModelCode() const;
    QComboBox *ModelList() const { return m_models; }

private:
    QComboBox *m_models;
};

} // namespace telvio
