// Linked into each Linux plug-in library: the C++ runtime linked into it keeps
// an emergency exception pool that nothing frees, and hosts load and unload
// plug-ins many times while scanning.
namespace __gnu_cxx {
void __freeres() noexcept;
}

__attribute__((destructor)) static void releaseRuntimePool() {
  __gnu_cxx::__freeres();
}
