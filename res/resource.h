// Resource ids shared by kestro.rc and the program's code.
#ifndef KESTRO_RES_RESOURCE_H
#define KESTRO_RES_RESOURCE_H

// Id 1 is the icon Explorer and the taskbar pick for the .exe.
#define IDI_KESTRO 1

#endif
