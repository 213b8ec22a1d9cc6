#pragma once

// Loads the player: the play list window, then the main window, whose load reads the list.
void loadPlayer();
