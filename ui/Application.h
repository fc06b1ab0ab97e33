#pragma once
// The application as the desktop knows it.
namespace lmx {

// Names the running program for the desktop ("Quendrafil (stocks datas)"). Only its name: a display
// name would be appended by the toolkit to the title of every window and dialog, and the main
// window's caption is "Lumivex" alone.
void NameApplication();

} // namespace lmx
