#include "link/parada.h"

#include <array>

namespace brelo {

namespace {
// Plain slots, so that a signal handler can walk them: it may neither lock nor allocate.
std::array<std::atomic<std::atomic<bool>*>, Parada::MaxAvisos> avisos{};
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free &&
              std::atomic<bool>::is_always_lock_free);
} // namespace

void Parada::Avisar(std::atomic<bool>* bandera) {
    for (auto& hueco : avisos) {
        std::atomic<bool>* libre = nullptr;
        if (hueco.compare_exchange_strong(libre, bandera))
            break;
    }
}

void Parada::Olvidar(std::atomic<bool>* bandera) {
    for (auto& hueco : avisos) {
        std::atomic<bool>* esta = bandera;
        hueco.compare_exchange_strong(esta, nullptr);
    }
}

void AvisarParada() {
    for (auto& hueco : avisos)
        if (std::atomic<bool>* bandera = hueco.load())
            bandera->store(true);
}

} // namespace brelo
