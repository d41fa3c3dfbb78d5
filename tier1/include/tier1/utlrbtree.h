// CUtlRBTree: a red-black tree whose nodes live in one CUtlMemory and are named by index,
// so node indices are stable identifiers and the tree can be walked in order. Equal
// elements may coexist; a new one goes after those equal to it.
#pragma once

#include <cstdint>
#include <type_traits>

#include "tier0/dbg.h"
#include "tier1/utlmemory.h"

// Less function for pointers and other values comparable with <.
template <class T>
class CDefOps {
public:
    static bool LessFunc(const T &lhs, const T &rhs) { return lhs < rhs; }
};

// Orders texts ignoring letter case; a null text sorts after every other text.
bool CaselessStringLessThan(const char *const &a, const char *const &b);
// Orders texts by bytes; a null text sorts after every other text.
bool CaseSensitiveStringLessThan(const char *const &a, const char *const &b);

template <class I>
struct UtlRBTreeLinks_t {
    I m_Left;
    I m_Right;
    I m_Parent;
    I m_Tag;  // colour
};

template <class T, class I>
struct UtlRBTreeNode_t : public UtlRBTreeLinks_t<I> {
    T m_Data;
};

// Element type T, index type I, less function type L: a plain function taking two elements
// by constant reference, or any object callable that way.
template <class T, class I = unsigned short, typename L = bool (*)(const T &, const T &)>
class CUtlRBTree {
public:
    typedef T KeyType_t;
    typedef T ElemType_t;
    typedef I IndexType_t;
    typedef L LessFunc_t;

    enum NodeColor_t { RED = 0, BLACK };

    explicit CUtlRBTree(int growSize = 0, int initSize = 0, const LessFunc_t &lessfunc = LessFunc_t())
        : m_LessFunc(lessfunc),
          m_Elements(growSize, initSize),
          m_Root(InvalidIndex()),
          m_NumElements(0),
          m_FirstFree(InvalidIndex()),
          m_LastAlloc(InvalidIndex()),
          m_pElements(m_Elements.Base()) {}

    explicit CUtlRBTree(const LessFunc_t &lessfunc) : CUtlRBTree(0, 0, lessfunc) {}

    ~CUtlRBTree() {
        RemoveAll();
        m_Elements.Purge();
    }

    CUtlRBTree(const CUtlRBTree &) = delete;
    CUtlRBTree &operator=(const CUtlRBTree &) = delete;

    void EnsureCapacity(int num) {
        m_Elements.EnsureCapacity(num);
        ResetDbgInfo();
    }

    T &Element(I i) { return m_Elements[i].m_Data; }
    const T &Element(I i) const { return m_Elements[i].m_Data; }
    T &operator[](I i) { return Element(i); }
    const T &operator[](I i) const { return Element(i); }

    I Root() const { return m_Root; }
    unsigned int Count() const { return static_cast<unsigned int>(m_NumElements); }
    // One past the highest node ever used.
    I MaxElement() const { return static_cast<I>(m_LastAlloc == InvalidIndex() ? 0 : m_LastAlloc + 1); }

    static I InvalidIndex() { return CUtlMemory<Node_t, I>::InvalidIndex(); }

    I Parent(I i) const { return Links(i).m_Parent; }
    I LeftChild(I i) const { return Links(i).m_Left; }
    I RightChild(I i) const { return Links(i).m_Right; }
    bool IsLeftChild(I i) const { return LeftChild(Parent(i)) == i; }
    bool IsRightChild(I i) const { return RightChild(Parent(i)) == i; }
    bool IsRoot(I i) const { return i == m_Root; }
    bool IsLeaf(I i) const { return LeftChild(i) == InvalidIndex() && RightChild(i) == InvalidIndex(); }
    bool IsRed(I i) const { return Links(i).m_Tag == RED; }
    bool IsBlack(I i) const { return Links(i).m_Tag == BLACK; }

    // A node in use.
    bool IsValidIndex(I i) const {
        if (i == InvalidIndex() || !m_Elements.IsIdxValid(i) || m_LastAlloc == InvalidIndex() || i > m_LastAlloc)
            return false;
        return LeftChild(i) != i;
    }

    void SetLessFunc(const LessFunc_t &func) { m_LessFunc = func; }

    // Adds a copy of the element; returns its node.
    I Insert(const T &insert) {
        if (IsInsideNodes(&insert)) {
            T copy(insert);  // the node memory may move while the new node is made
            return Insert(copy);
        }
        I parent = InvalidIndex();
        bool leftchild = false;
        FindInsertionPosition(insert, parent, leftchild);
        I newNode = InsertAt(parent, leftchild);
        CopyConstruct(&Element(newNode), insert);
        return newNode;
    }

    // Adds a copy only when no equal element is present; returns the new or existing node.
    I InsertIfNotFound(const T &insert) {
        if (IsInsideNodes(&insert)) {
            T copy(insert);
            return InsertIfNotFound(copy);
        }
        I current = m_Root;
        I parent = InvalidIndex();
        bool leftchild = false;
        while (current != InvalidIndex()) {
            parent = current;
            if (m_LessFunc(insert, Element(current))) {
                leftchild = true;
                current = LeftChild(current);
            } else if (m_LessFunc(Element(current), insert)) {
                leftchild = false;
                current = RightChild(current);
            } else {
                return current;
            }
        }
        I newNode = InsertAt(parent, leftchild);
        CopyConstruct(&Element(newNode), insert);
        return newNode;
    }

    // The node of an element equal to search, or the invalid index.
    I Find(const T &search) const {
        I current = m_Root;
        while (current != InvalidIndex()) {
            PrefetchChildren(current);
            const Node_t &node = m_Elements[current];
            if (m_LessFunc(search, node.m_Data))
                current = node.m_Left;
            else if (m_LessFunc(node.m_Data, search))
                current = node.m_Right;
            else
                break;
        }
        return current;
    }

    // Takes a node out of the tree structure (rebalancing) without freeing it or changing
    // the count.
    void Unlink(I elem);

    // Puts a node taken out with Unlink on the free list and counts it out, without
    // destroying its element (the caller has done so, or the element needs none).
    void FreeNode(I i) {
        SetLeftChild(i, i);
        SetRightChild(i, m_FirstFree);
        m_FirstFree = i;
        --m_NumElements;
    }

    // Unlinks the node, destroys its element and puts the node on the free list.
    void RemoveAt(I elem) {
        if (!IsValidIndex(elem)) return;
        Unlink(elem);
        Destruct(&Element(elem));
        FreeNode(elem);
    }

    // Removes one element equal to the given one; false when there is none.
    bool Remove(const T &search) {
        I node = Find(search);
        if (node == InvalidIndex()) return false;
        RemoveAt(node);
        return true;
    }

    // Destroys all elements and empties the tree; the node memory and free list stay.
    void RemoveAll();

    // RemoveAll, then frees the node memory; numbering starts again from 0.
    void Purge() {
        RemoveAll();
        m_FirstFree = InvalidIndex();
        m_Elements.Purge();
        m_LastAlloc = InvalidIndex();
        ResetDbgInfo();
    }

    // In-order walk; the invalid index when empty or at the end.
    I FirstInorder() const {
        I i = m_Root;
        if (i == InvalidIndex()) return i;
        while (LeftChild(i) != InvalidIndex()) i = LeftChild(i);
        return i;
    }
    I LastInorder() const {
        I i = m_Root;
        if (i == InvalidIndex()) return i;
        while (RightChild(i) != InvalidIndex()) i = RightChild(i);
        return i;
    }
    I NextInorder(I i) const {
        if (RightChild(i) != InvalidIndex()) {
            i = RightChild(i);
            while (LeftChild(i) != InvalidIndex()) i = LeftChild(i);
            return i;
        }
        I parent = Parent(i);
        while (IsRightChild(i)) {
            i = parent;
            if (i == InvalidIndex()) break;
            parent = Parent(i);
        }
        return parent;
    }
    I PrevInorder(I i) const {
        if (LeftChild(i) != InvalidIndex()) {
            i = LeftChild(i);
            while (RightChild(i) != InvalidIndex()) i = RightChild(i);
            return i;
        }
        I parent = Parent(i);
        while (IsLeftChild(i)) {
            i = parent;
            if (i == InvalidIndex()) break;
            parent = Parent(i);
        }
        return parent;
    }

protected:
    typedef UtlRBTreeLinks_t<I> Links_t;
    typedef UtlRBTreeNode_t<T, I> Node_t;

    // The links of a node; the invalid index reads a shared black sentinel.
    const Links_t &Links(I i) const {
        static const Links_t s_Sentinel = {InvalidIndex(), InvalidIndex(), InvalidIndex(), static_cast<I>(BLACK)};
        return i != InvalidIndex() ? static_cast<const Links_t &>(m_Elements[i]) : s_Sentinel;
    }

    // Setters ignore the invalid index, so the sentinel is never written.
    void SetParent(I i, I parent) {
        if (i != InvalidIndex()) m_Elements[i].m_Parent = parent;
    }
    void SetLeftChild(I i, I child) {
        if (i != InvalidIndex()) m_Elements[i].m_Left = child;
    }
    void SetRightChild(I i, I child) {
        if (i != InvalidIndex()) m_Elements[i].m_Right = child;
    }
    I Child(I i, bool right) const { return right ? RightChild(i) : LeftChild(i); }
    void SetChild(I i, bool right, I child) {
        if (right)
            SetRightChild(i, child);
        else
            SetLeftChild(i, child);
    }
    void SetColor(I i, NodeColor_t c) {
        if (i != InvalidIndex()) m_Elements[i].m_Tag = static_cast<I>(c);
    }
    NodeColor_t Color(I i) const { return static_cast<NodeColor_t>(Links(i).m_Tag); }

    bool IsInsideNodes(const void *p) const {
        const char *base = reinterpret_cast<const char *>(m_Elements.Base());
        const char *q = static_cast<const char *>(p);
        return base && q >= base && q < base + static_cast<size_t>(m_Elements.NumAllocated()) * sizeof(Node_t);
    }

    // Starts loading both children of a node while it is being compared, so the descent
    // does not wait for memory after each comparison. Invalid children are harmless here.
    void PrefetchChildren(I i) const {
        const Links_t &links = m_Elements[i];
        uintptr_t base = reinterpret_cast<uintptr_t>(m_Elements.Base());
        __builtin_prefetch(reinterpret_cast<const void *>(base + static_cast<uintptr_t>(links.m_Left) * sizeof(Node_t)));
        __builtin_prefetch(reinterpret_cast<const void *>(base + static_cast<uintptr_t>(links.m_Right) * sizeof(Node_t)));
    }

    // The left child when goLeft, else the right one, chosen without a branch: which way an
    // insertion descends is unpredictable, and a mispredicted branch costs more than this.
    static I SelectChild(const Links_t &links, bool goLeft) {
        typedef typename std::make_unsigned<I>::type U;
        U mask = static_cast<U>(0) - static_cast<U>(goLeft);
        return static_cast<I>(static_cast<U>(links.m_Right) ^
                              ((static_cast<U>(links.m_Left) ^ static_cast<U>(links.m_Right)) & mask));
    }

    void FindInsertionPosition(const T &insert, I &parent, bool &leftchild) const {
        I current = m_Root;
        parent = InvalidIndex();
        leftchild = false;
        while (current != InvalidIndex()) {
            parent = current;
            PrefetchChildren(current);
            const Node_t &node = m_Elements[current];
            leftchild = m_LessFunc(insert, node.m_Data);
            current = SelectChild(node, leftchild);
        }
    }

    // Takes a fresh node (free list first); stops the process when none can be had.
    I NewNode() {
        I elem;
        if (m_FirstFree == InvalidIndex()) {
            I candidate = static_cast<I>(m_LastAlloc == InvalidIndex() ? 0 : m_LastAlloc + 1);
            if (!m_Elements.IsIdxValid(candidate) || candidate == InvalidIndex()) {
                m_Elements.Grow(1);
                ResetDbgInfo();
                if (!m_Elements.IsIdxValid(candidate) || candidate == InvalidIndex()) Error("CUtlRBTree overflow!\n");
            }
            elem = candidate;
            m_LastAlloc = candidate;
        } else {
            elem = m_FirstFree;
            m_FirstFree = RightChild(m_FirstFree);
        }
        return elem;
    }

    // Links a new red node under parent (or as the root) and rebalances; the element is
    // left unconstructed for the caller.
    I InsertAt(I parent, bool leftchild) {
        I i = NewNode();
        SetParent(i, parent);
        SetRightChild(i, InvalidIndex());
        SetLeftChild(i, InvalidIndex());
        SetColor(i, RED);
        if (parent != InvalidIndex()) {
            if (leftchild)
                SetLeftChild(parent, i);
            else
                SetRightChild(parent, i);
        } else {
            m_Root = i;
        }
        InsertRebalance(i);
        ++m_NumElements;
        return i;
    }

    // Lifts elem's right child into its place (toLeft), or its left child.
    void Rotate(I elem, bool toLeft);
    void RotateLeft(I elem) { Rotate(elem, true); }
    void RotateRight(I elem) { Rotate(elem, false); }
    void InsertRebalance(I elem);
    void RemoveRebalance(I elem);

    void ResetDbgInfo() { m_pElements = m_Elements.Base(); }

    LessFunc_t m_LessFunc;
    CUtlMemory<Node_t, I> m_Elements;
    I m_Root;
    I m_NumElements;
    I m_FirstFree;
    I m_LastAlloc;
    Node_t *m_pElements;  // copy of the memory pointer, for inspection in a debugger
};

// The rotations and rebalancing are written once for one side; `right` names the side the
// other branch would mirror.
template <class T, class I, typename L>
void CUtlRBTree<T, I, L>::Rotate(I elem, bool toLeft) {
    // Rotating left lifts the right child (and the other way round).
    I child = Child(elem, toLeft);
    if (child == InvalidIndex()) return;
    I inner = Child(child, !toLeft);
    SetChild(elem, toLeft, inner);
    if (inner != InvalidIndex()) SetParent(inner, elem);
    I parent = Parent(elem);
    SetParent(child, parent);
    if (parent == InvalidIndex())
        m_Root = child;
    else
        SetChild(parent, Child(parent, true) == elem, child);
    SetChild(child, !toLeft, elem);
    SetParent(elem, child);
}

template <class T, class I, typename L>
void CUtlRBTree<T, I, L>::InsertRebalance(I elem) {
    while (!IsRoot(elem) && IsRed(Parent(elem))) {
        I parent = Parent(elem);
        I grandparent = Parent(parent);
        if (grandparent == InvalidIndex()) break;
        bool parentIsLeft = IsLeftChild(parent);
        I uncle = Child(grandparent, parentIsLeft);
        if (IsRed(uncle)) {
            SetColor(parent, BLACK);
            SetColor(uncle, BLACK);
            SetColor(grandparent, RED);
            elem = grandparent;
        } else {
            if (Child(parent, parentIsLeft) == elem) {  // inner grandchild: straighten first
                elem = parent;
                Rotate(elem, parentIsLeft);
                parent = Parent(elem);
                grandparent = Parent(parent);
            }
            SetColor(parent, BLACK);
            SetColor(grandparent, RED);
            Rotate(grandparent, !parentIsLeft);
        }
    }
    SetColor(m_Root, BLACK);
}

template <class T, class I, typename L>
void CUtlRBTree<T, I, L>::Unlink(I elem) {
    if (elem == InvalidIndex()) return;
    I x, y;
    if (LeftChild(elem) == InvalidIndex() || RightChild(elem) == InvalidIndex()) {
        y = elem;
    } else {
        y = RightChild(elem);
        while (LeftChild(y) != InvalidIndex()) y = LeftChild(y);
    }

    x = LeftChild(y) != InvalidIndex() ? LeftChild(y) : RightChild(y);

    if (x != InvalidIndex()) SetParent(x, Parent(y));
    if (!IsRoot(y)) {
        if (IsLeftChild(y))
            SetLeftChild(Parent(y), x);
        else
            SetRightChild(Parent(y), x);
    } else {
        m_Root = x;
    }

    NodeColor_t ycolor = Color(y);
    if (y != elem) {
        // y takes elem's place in the tree.
        SetParent(y, Parent(elem));
        SetRightChild(y, RightChild(elem));
        SetLeftChild(y, LeftChild(elem));
        if (!IsRoot(elem)) {
            if (IsLeftChild(elem))
                SetLeftChild(Parent(elem), y);
            else
                SetRightChild(Parent(elem), y);
        } else {
            m_Root = y;
        }
        if (LeftChild(y) != InvalidIndex()) SetParent(LeftChild(y), y);
        if (RightChild(y) != InvalidIndex()) SetParent(RightChild(y), y);
        SetColor(y, Color(elem));
    }

    if (x != InvalidIndex() && ycolor == BLACK) RemoveRebalance(x);
}

template <class T, class I, typename L>
void CUtlRBTree<T, I, L>::RemoveRebalance(I elem) {
    while (elem != m_Root && IsBlack(elem)) {
        I parent = Parent(elem);
        if (parent == InvalidIndex()) break;
        bool elemIsLeft = elem == LeftChild(parent);  // the sibling is on the other side
        I sibling = Child(parent, elemIsLeft);
        if (IsRed(sibling)) {
            SetColor(sibling, BLACK);
            SetColor(parent, RED);
            Rotate(parent, elemIsLeft);
            parent = Parent(elem);
            sibling = Child(parent, elemIsLeft);
        }
        if (IsBlack(LeftChild(sibling)) && IsBlack(RightChild(sibling))) {
            SetColor(sibling, RED);
            elem = parent;
        } else {
            if (IsBlack(Child(sibling, elemIsLeft))) {
                SetColor(Child(sibling, !elemIsLeft), BLACK);
                SetColor(sibling, RED);
                Rotate(sibling, !elemIsLeft);
                parent = Parent(elem);
                sibling = Child(parent, elemIsLeft);
            }
            SetColor(sibling, Color(parent));
            SetColor(parent, BLACK);
            SetColor(Child(sibling, elemIsLeft), BLACK);
            Rotate(parent, elemIsLeft);
            elem = m_Root;
        }
    }
    SetColor(elem, BLACK);
}

template <class T, class I, typename L>
void CUtlRBTree<T, I, L>::RemoveAll() {
    if (m_LastAlloc != InvalidIndex()) {
        for (I i = 0;; ++i) {
            if (LeftChild(i) != i) {
                Destruct(&Element(i));
                SetRightChild(i, m_FirstFree);
                SetLeftChild(i, i);
                m_FirstFree = i;
            }
            if (i == m_LastAlloc) break;
        }
    }
    m_Root = InvalidIndex();
    m_NumElements = 0;
}
