#include <cstdlib>  // first: any standard header tells which C++ library this is

#if defined(__GLIBCXX__)
// libstdc++'s default terminate handler prints the demangled type of the exception, which links
// the whole demangler into the program. No exception leaves a handler here; should one reach
// std::terminate all the same, ending the process is all that is left to do.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif
