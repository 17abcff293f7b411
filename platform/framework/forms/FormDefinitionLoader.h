#pragma once
// Makes forms read their definitions (FORM resources of the loaded modules)
// when they are created.
void InstallFormDefinitionLoader();
