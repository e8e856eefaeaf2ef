#pragma once

#include "Similarita.h"

#include <vector>

// Group-average (UPGMA) clustering, its cophenetic correlation, its cuts,
// and the adjusted Rand index that compares two partitions.
namespace raggruppamento {

// One step of the agglomeration. Objects are 0 .. n-1; the cluster made
// by step k is n + k.
struct Fusione {
    int a = 0; // the cluster holding the lower object number
    int b = 0;
    double livello = 0.0; // the similarity (100 - dissimilarity) at which they join
    int dimensione = 0;   // objects in the new cluster
};

struct Albero {
    int n = 0;
    std::vector<Fusione> fusioni; // n - 1 steps, from the most similar

    int radice() const { return n + int(fusioni.size()) - 1; }
};

// The clustering of n objects from their dissimilarities on 0..100, a full
// n x n matrix row by row (worked in place, hence taken by value). Nearest-
// neighbour chain, about n² in time. Ties go to the pair of lowest object
// numbers, a cluster counting as its lowest object, as R's hclust does; so
// the tree does not depend on the order the work happens in.
Albero upgma(std::vector<double> d, int n);
// The same in single precision, for the thousands of points of a map.
Albero upgma(std::vector<float> d, int n);

// The objects of a cluster, in increasing order.
std::vector<int> membri(const Albero &albero, int nodo);

// The level (as a dissimilarity) at which each pair first joins.
similarita::Matrice cofenetica(const Albero &albero);
// Pearson's correlation of the dissimilarities with the cophenetic ones.
double correlazioneCofenetica(const Albero &albero, const similarita::Matrice &d);

// Where a tree is cut: at a similarity (per cent), or into a number of groups.
struct Taglio {
    double similarita = 40.0;
    int gruppi = 0; // 0: cut at the similarity
};

// Groups of every object: joined at similarity taglio or above, or the k
// groups of the last k - 1 steps undone. Numbered from 1, the group of
// object 0 first, then in the order of each group's lowest object.
std::vector<int> taglia(const Albero &albero, double taglio);
std::vector<int> inGruppi(const Albero &albero, int k);
std::vector<int> taglia(const Albero &albero, const Taglio &taglio);
int numeroGruppi(const std::vector<int> &gruppi);

// The objects left to right as a dendrogram draws them: at every step the
// cluster holding the lower object number on the left.
std::vector<int> ordineFoglie(const Albero &albero);

// Hubert and Arabie's adjusted Rand index of two partitions of the same
// objects (any group labels): 1 when they agree, about 0 by chance.
double randCorretto(const std::vector<int> &a, const std::vector<int> &b);

} // namespace raggruppamento
