a!N
ab!T(x
ac:A	T(y,,z,^.)
-x!N
