#pragma once

// How an adapter's name becomes addresses. The system's resolver may take long (a name server
// that does not answer) and cannot be interrupted, so it is asked on a thread of its own and
// its answer waited for only as long as the connection allows; tests hand the port a resolver
// of their own, since there is no name server where they run.

#include "link/conexion.h"

#include <future>

namespace brelo {

class Resolutor {
public:
    virtual ~Resolutor() = default;
    // An answer that may come at once, later, or never.
    virtual std::shared_future<ResultadoNombre> Resolver(const std::string& host,
                                                         const std::string& puerto) = 0;
};

// Numeric addresses at once; names through the system, on a thread left to finish by itself
// when nobody waits for it any more.
class ResolutorSistema final : public Resolutor {
public:
    std::shared_future<ResultadoNombre> Resolver(const std::string& host,
                                                 const std::string& puerto) override;
};

} // namespace brelo
