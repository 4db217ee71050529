#pragma once

// FrmMain, the main window. It owns the one message for the whole run and hands it by
// reference to the editing frame and the dialogs.
//
//   menus, picture buttons --> commands (shell/, files/) --> FraMensaje (editor/)
//                                      |                         |
//                                      v                         v
//                             core: files, protocol  <-- Mensaje (model/)
//                                      |
//                             StatusBar1 (TypeMsg, TypeErr)

#include "model/mensaje.h"

#include <QMainWindow>

#include <cstdint>

namespace brelo {

class BarraEstado;
class FraMensaje;
class Plataforma;

class FrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmMain(Plataforma& plataforma, QWidget* padre = nullptr);

    Mensaje& mensaje() { return mensaje_; }
    FraMensaje* fraMensaje() const { return fraMensaje_; }
    BarraEstado* StatusBar1() const { return statusBar1_; }

    QString PathApp;
    QString VerApp;

    // Status line.
    void TypeMsg(std::uint8_t tipo, const QString& men);
    void TypeErr(const QString& menerr);
    void BorrMsg();
    void Tiempo(double pausa);

    // File commands.
    void Nuevo_Click();

private:
    void Form_Load();
    void InicioVar();
    void LoadRegSett();
    void Inicio_COMM();
    void MostrarFrame(bool visible);

    Plataforma& plataforma_;
    Mensaje mensaje_;
    FraMensaje* fraMensaje_;
    BarraEstado* statusBar1_;
};

} // namespace brelo
