#pragma once

// frmAcerca, the About window.

#include <QDialog>

class QLabel;
class QPushButton;

namespace brelo {

class frmAcerca : public QDialog {
    Q_OBJECT

public:
    frmAcerca(const QString& verApp, QWidget* padre = nullptr);

    QLabel* Label1;
    QLabel* Label3;
    QPushButton* salir;
};

} // namespace brelo
