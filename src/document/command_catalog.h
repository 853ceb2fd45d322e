#pragma once

class CCommandLayer;

// Registers every command of the program with its menu text, accelerator, status-bar prompt,
// tooltip and toolbar picture.
void RegisterCommands(CCommandLayer& commands);
