// The build's outputs are named by Linux paths; Wine reaches them through drive Z:.
#pragma once
#include <algorithm>
#include <string>

inline std::string HostToWindows(std::string path)
{
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
