#pragma once

// glewInit on the current context; false when it fails.
bool GlewInitialize();
