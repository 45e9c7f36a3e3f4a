// Entry point of Mirto: the launcher takes nothing from its command line.

#include "launcher/MirtoStartup.h"

int main(int argc, char** argv) { return mirto::RunMirto(argc, argv); }
