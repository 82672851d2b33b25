// The runtime's default terminate handler writes the escaping exception's
// demangled type to stderr, which no host of an in-process server shows, and
// its demangler is a tenth of the DLL. Every COM entry point catches
// everything, so only a bug gets here; ending the process is what is left.
#include <cstdlib>

namespace __gnu_cxx {
// Defined here, the runtime's own (and the demangler with it) is not linked.
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
