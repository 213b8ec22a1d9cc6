#pragma once

// Tells the form registry how each window that lower floors open by kind is loaded.
void registerWindowLoaders();
