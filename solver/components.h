#pragma once

// Union-find over the rows and columns of a task (rows 0..m-1, columns m..m+n-1), to tell
// whether a cell would close a cycle with the cells already joined.

#include <numeric>
#include <vector>

namespace kargolo {

class Components {
public:
    explicit Components(int nodes) : m_parent(static_cast<std::size_t>(nodes)) {
        std::iota(m_parent.begin(), m_parent.end(), 0);
    }

    int Find(int node) {
        while (Parent(node) != node) {
            Parent(node) = Parent(Parent(node));
            node = Parent(node);
        }
        return node;
    }

    // Joins the components of a and b; false when they were one already.
    bool Join(int a, int b) {
        a = Find(a);
        b = Find(b);
        if (a == b) return false;
        Parent(a) = b;
        return true;
    }

private:
    int& Parent(int node) { return m_parent[static_cast<std::size_t>(node)]; }

    std::vector<int> m_parent;
};

}  // namespace kargolo
