#pragma once
// Registers the forms layer's creatable classes (forms, controls, menus,
// dialogs) with the process's class registry, so form definitions can make
// them by class name.
void RegisterFormsClasses();
