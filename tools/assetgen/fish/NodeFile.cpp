#include "NodeFile.h"

#include <cstdio>

namespace {

const char* NODE_SCALE = "0.005";

std::string FormatNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void EncodeNode(const SNode& node, const std::string& indent, std::string& out)
{
    const std::string inner = indent + "  ";
    out += indent + "NODE " + node.name + "\r\n";
    out += inner + "TMATRIX " + FormatNumber(node.x) + " " + FormatNumber(node.y) + " " + FormatNumber(node.z) + "\r\n";
    out += inner + "SMATRIX " + NODE_SCALE + " " + NODE_SCALE + " " + NODE_SCALE + "\r\n";
    out += inner + "RMATRIX 1 0 0 0 1 0 0 0 1\r\n";
    out += inner + "MODEL " + node.model + "\r\n";
    out += inner + "CHILDS " + std::to_string(node.children.size()) + "\r\n";
    for (const SNode& child : node.children)
        EncodeNode(child, inner, out);
}

}  // namespace

std::string EncodeNodeFile(const SNode& root)
{
    std::string out;
    EncodeNode(root, "", out);
    return out;
}
