// Placeholder so the module library has a source until its first real file lands.
namespace kivo {}
