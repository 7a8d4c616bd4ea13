go!VI42S.T(ir,>N&<VP|+P3,andar)
went!V#12.VSR.R(go)
