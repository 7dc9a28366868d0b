# Read by ctest after the discovered tests: the whole campaign script runs longer than the others.
set_tests_properties(CampagneScript.UneCampagneEntiere PROPERTIES TIMEOUT 900)
