#pragma once

#include <map>
#include <string>

namespace VEKTest {

// Every resource the platform's X connection holds on the server, by type name (WINDOW,
// COLORMAP, GLX drawables, ...): what a create-destroy cycle must give back.
std::map<std::string, long> ServerResources();

}  // namespace VEKTest
