"""Compares cluster's CSV outputs with networkx's connected components of an
edge list at a threshold (scripts/cluster-check): the same partition, and
clusters numbered by size, the largest first.
   python3 cluster-check.py LIST.csv THRESHOLD CLUSTERS.csv...
"""
import csv
import sys

import networkx


def components(list_path, threshold):
    graph = networkx.Graph()
    with open(list_path, newline="") as f:
        for row in csv.DictReader(f):
            if float(row["Distance"]) <= threshold:
                graph.add_edge(row["ID1"], row["ID2"])
    return graph, {frozenset(c) for c in networkx.connected_components(graph) if len(c) > 1}


def clusters(path):
    members, sizes = {}, {}
    with open(path, newline="") as f:
        for row in csv.DictReader(f):
            members.setdefault(int(row["ClusterID"]), set()).add(row["SequenceID"])
            sizes[int(row["ClusterID"])] = int(row["ClusterSize"])
    ids = sorted(members)
    assert ids == list(range(1, len(ids) + 1)), "cluster ids are not 1..n"
    assert all(sizes[k] == len(members[k]) for k in ids), "a ClusterSize is wrong"
    assert all(sizes[a] >= sizes[b] for a, b in zip(ids, ids[1:])), "not numbered by size"
    return {frozenset(m) for m in members.values()}


def main():
    list_path, threshold = sys.argv[1], float(sys.argv[2])
    graph, expected = components(list_path, threshold)
    largest = max((len(c) for c in expected), default=0)
    print(f"d <= {threshold}: {graph.number_of_edges()} edges, {len(expected)} clusters, "
          f"the largest of {largest}, {sum(len(c) for c in expected)} sequences clustered")
    failed = False
    for path in sys.argv[3:]:
        found = clusters(path)
        same = found == expected
        failed |= not same
        print(f"  {'same' if same else 'DIFFERENT'}: {path.rsplit('/', 1)[-1]}"
              + ("" if same else f" ({len(found ^ expected)} clusters differ)"))
    sys.exit(1 if failed else 0)


main()
