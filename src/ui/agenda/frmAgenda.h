#pragma once

// frmAgenda: the agenda file as a table, one entry a row (days, time, message, ports), with the
// week drawn as the sign will show it. It reads and writes the file the agenda service runs,
// checked first as brelo-cli agenda --revisar checks it. It sends nothing itself: it says
// whether the service is running and how to start it.

#include "link/agendaarchivo.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace brelo {

class Plataforma;
class SemanaAgenda;

class frmAgenda : public QDialog {
    Q_OBJECT

public:
    frmAgenda(Plataforma& plataforma, QWidget* padre = nullptr);

    enum Columna { Dias, Hora, Mensaje, Puertos };

    QLabel* lblArchivo;
    QTableWidget* grdEntradas;
    QPushButton* cmdAgregar;
    QPushButton* cmdQuitar;
    QPushButton* cmdSubir;
    QPushButton* cmdBajar;
    QPushButton* cmdMensaje;
    QPushButton* cmdHora;
    QPushButton* cmdArchivo;
    QComboBox* cboCartel; // whose week is drawn, when the agenda drives several signs
    SemanaAgenda* semana;
    QPlainTextEdit* txtRevision;
    QLabel* lblServicio;
    QPushButton* cmdRevisar;
    QPushButton* cmdGrabar;
    QPushButton* cmdCerrar;

    void Cargar(const QString& ruta);
    // The rows as lines, one a row: what is checked, errors naming the row.
    QString Texto() const;
    // The file as it will be written: each row as it was read unless it was changed, the
    // operator's comments where they were.
    QString TextoArchivo() const;
    // Shows the findings; true when there is no line that is not an entry.
    bool Revisar();
    // Checked first; false when not written (errors, findings not accepted, a failed write).
    bool Grabar();
    bool Cambiado() const { return cambiado_; }

    // Whether an agenda service drives one of the agenda's ports, in words.
    QString EstadoServicio(const Agenda& agenda) const;

protected:
    void reject() override;

private:
    void crearControles();
    void conectar();
    void ponerFila(int fila, const QStringList& campos);
    void mover(int paso);
    void elegirMensaje();
    void elegirArchivo();
    bool PreguntarGrabar();
    void actualizar();
    AgendaLeida leida() const;
    QStringList puertosPorOmision() const;

    QString linea(int fila) const;
    QStringList campos(int fila) const;

    Plataforma& plataforma_;
    QString ruta_;
    QStringList finales_; // comments after the last row
    QDateTime leido_;     // the file's time when read or written: another's change is seen
    qint64 tamanoLeido_ = -1;
    bool conErrores_ = false; // the review box shows lines that are not entries
    bool cambiado_ = false;
    bool llenando_ = false;
};

} // namespace brelo
