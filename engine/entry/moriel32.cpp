// (em construção)
