#pragma once

#include "link/puertotcp.h"
#include "link/reloj.h"
#include "link/resolutor.h"
#include "ui/platform/plataforma.h"

namespace brelo {

class PlataformaReal final : public Plataforma {
public:
    bool Pregunta(QWidget* padre, const QString& titulo, const QString& texto,
                  QMessageBox::Icon icono) override;
    void Aviso(QWidget* padre, const QString& titulo, const QString& texto, QMessageBox::Icon icono,
               const QString& detalle = {}) override;
    std::optional<ArchivoElegido> ElegirArchivo(QWidget* padre, const DialogoArchivo& d) override;
    void Tiempo(double segundos) override;
    void Beep() override;
    QDateTime Ahora() override;
    bool AbrirDocumento(const QString& ruta, std::function<void()> alFallar) override;
    // The desktop's viewer of documents; tests hand in one of their own.
    QString Visor = QStringLiteral("xdg-open");
    Puerto& PuertoCom() override { return puerto_; }
    Reloj& Pausas() override { return reloj_; }

private:
    RelojReal reloj_;
    ResolutorSistema resolutor_;
    LineaCartel puerto_{resolutor_, reloj_};
};

} // namespace brelo
