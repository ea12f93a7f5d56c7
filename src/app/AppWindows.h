#pragma once
// The program's 23 windows: created once, in their fixed order, and kept
// until the run ends. The main window comes first, because its creation
// sets up the shared state (language table, software code) that every later
// window reads in its own creation.

// Creates the windows in order, each into its global; the first becomes the
// application's main form. Each window is constructed, its global assigned,
// then its creation event runs.
void CreateAppWindows();

// Destroys the windows (the last created first) and clears their globals.
void DestroyAppWindows();
