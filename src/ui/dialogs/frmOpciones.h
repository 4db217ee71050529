#pragma once

// frmOpciones: the five settings. It edits the main window's values only when accepted;
// the main window then saves them and reopens the port.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace brelo {

struct Ajustes;

class frmOpciones : public QDialog {
    Q_OBJECT

public:
    explicit frmOpciones(Ajustes& ajustes, QWidget* padre = nullptr);

    bool OpcionesOK = false;

    QComboBox* cboPort;
    QComboBox* cboBaud;
    QCheckBox* chkRTS;
    QComboBox* cboWNT;
    QComboBox* cboChar;
    QPushButton* cmdOK;
    QPushButton* Command2;

    void cmdOK_Click();

private:
    Ajustes& ajustes_;
};

} // namespace brelo
