// CUtlMap: an ordered key/value map over CUtlRBTree. Node indices are stable, and the key
// and value of a node are read through its index.
#pragma once

#include <new>

#include "tier1/utlrbtree.h"

template <typename K, typename T, typename I = unsigned short>
class CUtlMap {
public:
    typedef K KeyType_t;
    typedef T ElemType_t;
    typedef I IndexType_t;
    typedef bool (*LessFunc_t)(const KeyType_t &, const KeyType_t &);

    explicit CUtlMap(int growSize = 0, int initSize = 0, LessFunc_t lessfunc = nullptr)
        : m_Tree(growSize, initSize, CKeyLess(lessfunc)) {}
    explicit CUtlMap(LessFunc_t lessfunc) : m_Tree(CKeyLess(lessfunc)) {}

    void EnsureCapacity(int num) { m_Tree.EnsureCapacity(num); }

    ElemType_t &Element(IndexType_t i) { return m_Tree.Element(i).elem; }
    const ElemType_t &Element(IndexType_t i) const { return m_Tree.Element(i).elem; }
    ElemType_t &operator[](IndexType_t i) { return m_Tree.Element(i).elem; }
    const ElemType_t &operator[](IndexType_t i) const { return m_Tree.Element(i).elem; }
    KeyType_t &Key(IndexType_t i) { return m_Tree.Element(i).key; }
    const KeyType_t &Key(IndexType_t i) const { return m_Tree.Element(i).key; }

    unsigned int Count() const { return m_Tree.Count(); }
    IndexType_t MaxElement() const { return m_Tree.MaxElement(); }
    bool IsValidIndex(IndexType_t i) const { return m_Tree.IsValidIndex(i); }
    static IndexType_t InvalidIndex() { return CTree::InvalidIndex(); }

    void SetLessFunc(LessFunc_t func) { m_Tree.SetLessFunc(CKeyLess(func)); }

    // Adds a node made of the key and the value; returns its index.
    IndexType_t Insert(const KeyType_t &key, const ElemType_t &insert) {
        if (m_Tree.IsInsideNodes(&key) || m_Tree.IsInsideNodes(&insert)) {
            KeyType_t keyCopy(key);  // the nodes may move while the new one is made
            ElemType_t elemCopy(insert);
            return Insert(keyCopy, elemCopy);
        }
        IndexType_t i = m_Tree.InsertAt(key);
        ::new (static_cast<void *>(&m_Tree.Element(i).key)) KeyType_t(key);
        ::new (static_cast<void *>(&m_Tree.Element(i).elem)) ElemType_t(insert);
        return i;
    }

    // Adds a node with the key and a default value.
    IndexType_t Insert(const KeyType_t &key) {
        if (m_Tree.IsInsideNodes(&key)) {
            KeyType_t keyCopy(key);
            return Insert(keyCopy);
        }
        IndexType_t i = m_Tree.InsertAt(key);
        ::new (static_cast<void *>(&m_Tree.Element(i).key)) KeyType_t(key);
        ::new (static_cast<void *>(&m_Tree.Element(i).elem)) ElemType_t();
        return i;
    }

    // Replaces the value of an existing key, or inserts the pair.
    IndexType_t InsertOrReplace(const KeyType_t &key, const ElemType_t &insert) {
        IndexType_t i = Find(key);
        if (i != InvalidIndex()) {
            Element(i) = insert;
            return i;
        }
        return Insert(key, insert);
    }

    // The node of the key, or the invalid index.
    IndexType_t Find(const KeyType_t &key) const { return m_Tree.FindKey(key); }

    void RemoveAt(IndexType_t i) { m_Tree.RemoveAt(i); }
    bool Remove(const KeyType_t &key) {
        IndexType_t i = Find(key);
        if (i == InvalidIndex()) return false;
        RemoveAt(i);
        return true;
    }
    void RemoveAll() { m_Tree.RemoveAll(); }
    void Purge() { m_Tree.Purge(); }

    IndexType_t FirstInorder() const { return m_Tree.FirstInorder(); }
    IndexType_t NextInorder(IndexType_t i) const { return m_Tree.NextInorder(i); }
    IndexType_t PrevInorder(IndexType_t i) const { return m_Tree.PrevInorder(i); }
    IndexType_t LastInorder() const { return m_Tree.LastInorder(); }

    struct Node_t {
        KeyType_t key;
        ElemType_t elem;
    };

    // Orders nodes by the map's key less function.
    class CKeyLess {
    public:
        explicit CKeyLess(LessFunc_t lessFunc = nullptr) : m_LessFunc(lessFunc) {}
        bool operator()(const Node_t &left, const Node_t &right) const { return m_LessFunc(left.key, right.key); }
        LessFunc_t m_LessFunc;
    };

private:
    // The tree of nodes, with searches by key alone, so a lookup needs no node (and no
    // value) built around its key.
    class CTree : public CUtlRBTree<Node_t, I, CKeyLess> {
        typedef CUtlRBTree<Node_t, I, CKeyLess> Base;

    public:
        using Base::Base;
        using Base::InvalidIndex;
        using Base::IsInsideNodes;

        // Links a new node after the nodes whose keys equal key; its key and value are
        // left for the caller to construct.
        I InsertAt(const KeyType_t &key) {
            const typename Base::Node_t *nodes = this->m_Elements.Base();
            LessFunc_t less = this->m_LessFunc.m_LessFunc;
            I current = this->m_Root;
            I parent = InvalidIndex();
            bool leftchild = false;
            while (current != InvalidIndex()) {
                parent = current;
                this->PrefetchChildren(current);
                const typename Base::Node_t &node = nodes[current];
                leftchild = less(key, node.m_Data.key);
                current = Base::SelectChild(node, leftchild);
            }
            return Base::InsertAt(parent, leftchild);
        }

        I FindKey(const KeyType_t &key) const {
            const typename Base::Node_t *nodes = this->m_Elements.Base();
            LessFunc_t less = this->m_LessFunc.m_LessFunc;
            I current = this->m_Root;
            while (current != InvalidIndex()) {
                this->PrefetchChildren(current);
                const typename Base::Node_t &node = nodes[current];
                if (less(key, node.m_Data.key))
                    current = node.m_Left;
                else if (less(node.m_Data.key, key))
                    current = node.m_Right;
                else
                    break;
            }
            return current;
        }
    };

    CTree m_Tree;
};
