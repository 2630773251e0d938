SELECT *
FROM kolliyat;
